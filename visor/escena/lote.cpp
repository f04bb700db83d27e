#include "visor/escena/lote.h"

#include <algorithm>
#include <cmath>

#include "constantes.h"
#include "modelo/objBarra3d.h"
#include "visor/escena/camara.h"

LoteDibujo::LoteDibujo() : actual_(Eigen::Affine3d::Identity()) {}

void LoteDibujo::empujar() { pila_.push_back(actual_); }

void LoteDibujo::sacar() {
    if (pila_.empty()) return;
    actual_ = pila_.back();
    pila_.pop_back();
}

void LoteDibujo::trasladar(const Eigen::Vector3d& v) { actual_.translate(v); }

void LoteDibujo::rotar(double grados, double x, double y, double z) {
    const Eigen::Vector3d eje(x, y, z);
    if (!(eje.norm() > 0.0)) return;
    actual_.rotate(Eigen::AngleAxisd(grados * PI / 180.0, eje.normalized()));
}

void LoteDibujo::escalar(double s) { actual_.scale(s); }

void LoteDibujo::color(double r, double g, double b) {
    color_ = {static_cast<float>(r), static_cast<float>(g), static_cast<float>(b)};
}

void LoteDibujo::anchoLinea(double ancho) { ancho_ = static_cast<float>(ancho); }

void LoteDibujo::entrarMarcoBarra(const objBarra3d& b, const Eigen::Vector3d& origen) {
    empujar();
    trasladar(origen);
    rotar(b.getGammaDeg(), 0, 0, 1);
    rotar(b.getBetaDeg(), 0, 1, 0);
    rotar(b.getAlfaDeg(), 1, 0, 0);
}

void LoteDibujo::pasarATono(const std::array<float, 3>& tono) {
    const auto entonar = [&tono](std::array<float, 3>& c) {
        const float brillo = std::max({c[0], c[1], c[2]});
        c = {tono[0] * brillo, tono[1] * brillo, tono[2] * brillo};
    };
    indiceGrupo_.clear();
    for (std::size_t i = 0; i < grupos_.size(); ++i) {
        entonar(grupos_[i].color);
        const GrupoLote& g = grupos_[i];
        indiceGrupo_.emplace(std::make_tuple(static_cast<int>(g.primitiva), g.ancho, g.color[0], g.color[1], g.color[2]),
                             i);
    }
    for (EsferaLote& e : esferas_) entonar(e.color);
    for (Rotulo3D& r : rotulos_) entonar(r.color);
    entonar(color_);
}

GrupoLote& LoteDibujo::grupo(Primitiva p) {
    const auto clave = std::make_tuple(static_cast<int>(p), ancho_, color_[0], color_[1], color_[2]);
    const auto it = indiceGrupo_.find(clave);
    if (it != indiceGrupo_.end()) return grupos_[it->second];
    indiceGrupo_[clave] = grupos_.size();
    GrupoLote g;
    g.primitiva = p;
    g.ancho = ancho_;
    g.color = color_;
    grupos_.push_back(std::move(g));
    return grupos_.back();
}

void LoteDibujo::vertice(GrupoLote& g, const Eigen::Vector3d& local) {
    const Eigen::Vector3d p = aMundo(local);
    g.vertices.push_back(static_cast<float>(p.x()));
    g.vertices.push_back(static_cast<float>(p.y()));
    g.vertices.push_back(static_cast<float>(p.z()));
}

void LoteDibujo::segmento(const Eigen::Vector3d& a, const Eigen::Vector3d& b) {
    GrupoLote& g = grupo(Primitiva::Lineas);
    vertice(g, a);
    vertice(g, b);
}

void LoteDibujo::tira(const std::vector<Eigen::Vector3d>& puntos, bool cerrada) {
    for (std::size_t i = 0; i + 1 < puntos.size(); ++i) segmento(puntos[i], puntos[i + 1]);
    if (cerrada && puntos.size() > 2) segmento(puntos.back(), puntos.front());
}

void LoteDibujo::cuadrilatero(const Eigen::Vector3d& a, const Eigen::Vector3d& b, const Eigen::Vector3d& c,
                              const Eigen::Vector3d& d) {
    GrupoLote& g = grupo(Primitiva::Cuadrilateros);
    for (const Eigen::Vector3d* p : {&a, &b, &c, &d}) vertice(g, *p);
}

void LoteDibujo::cuadrilateroVelado(const Eigen::Vector3d& a, const Eigen::Vector3d& b, const Eigen::Vector3d& c,
                                    const Eigen::Vector3d& d) {
    GrupoLote& g = grupo(Primitiva::CuadrilaterosVelados);
    for (const Eigen::Vector3d* p : {&a, &b, &c, &d}) vertice(g, *p);
}

void LoteDibujo::flecha(const Eigen::Vector3d& cola, const Eigen::Vector3d& punta, double tamano) {
    const AngulosFlecha a = angulosFlecha({cola.x(), cola.y(), cola.z()}, {punta.x(), punta.y(), punta.z()});
    if (!a.dibujar) return;
    segmento(cola, punta);
    puntaFlecha(cola, punta, tamano);
}

void LoteDibujo::puntaFlecha(const Eigen::Vector3d& cola, const Eigen::Vector3d& punta, double tamano) {
    const AngulosFlecha a = angulosFlecha({cola.x(), cola.y(), cola.z()}, {punta.x(), punta.y(), punta.z()});
    if (!a.dibujar) return;
    // Punta: el eje +X local apunta de la punta de vuelta hacia la cola.
    empujar();
    trasladar(punta);
    rotar(a.alfaGrados, 0, 0, 1);
    rotar(a.betaGrados, 0, 1, 0);
    const double t = tamano, lado = tamano / 3.0;
    const Eigen::Vector3d o = Eigen::Vector3d::Zero();
    segmento(o, {t, lado, 0});
    segmento(o, {t, -lado, 0});
    segmento(o, {t, 0, lado});
    segmento(o, {t, 0, -lado});
    sacar();
}

void LoteDibujo::arcoXY(double radio, double anguloInicio, double anguloFin) {
    const double a1 = anguloInicio * PI / 180.0, a2 = anguloFin * PI / 180.0;
    const double paso = (a2 - a1) / 10.0;
    std::vector<Eigen::Vector3d> puntos;
    for (int i = 0; i <= 10; ++i) {
        const double a = a1 + i * paso;
        puntos.emplace_back(radio * std::cos(a), radio * std::sin(a), 0.0);
    }
    tira(puntos);
}

void LoteDibujo::esfera(const Eigen::Vector3d& centro, double radio) {
    // El marco puede estar escalado (uniformemente): el radio lo sigue.
    const double escala = direccionAMundo(Eigen::Vector3d::UnitX()).norm();
    esferas_.push_back({aMundo(centro), radio * escala, color_});
}

void LoteDibujo::rotulo(Rotulo3D r, const Eigen::Vector3d& anclaLocal) {
    r.ancla = aMundo(anclaLocal);
    r.color = color_;
    r.ancho = ancho_;
    rotulos_.push_back(std::move(r));
}

LoteDibujo LoteDibujo::entre(const LoteDibujo& a, const LoteDibujo& b, double t) {
    LoteDibujo r = b;
    const float tf = static_cast<float>(t);
    for (std::size_t i = 0; i < r.grupos_.size() && i < a.grupos_.size(); ++i) {
        std::vector<float>& v = r.grupos_[i].vertices;
        const std::vector<float>& desde = a.grupos_[i].vertices;
        if (desde.size() != v.size()) continue;
        for (std::size_t k = 0; k < v.size(); ++k) v[k] = desde[k] + tf * (v[k] - desde[k]);
    }
    if (a.esferas_.size() == r.esferas_.size())
        for (std::size_t i = 0; i < r.esferas_.size(); ++i)
            r.esferas_[i].centro = a.esferas_[i].centro + t * (r.esferas_[i].centro - a.esferas_[i].centro);
    return r;
}
