// Las tablas de los pisos: por caso y diafragma, de abajo hacia arriba, las
// fuerzas de piso, los cortantes y los momentos de vuelco (pisos.csv; dos
// filas en un caso de dos valores, sus máximos y sus mínimos); por diafragma,
// su masa y sus centros de masa y de rigidez (centros.csv); con
// derivaLimite:, la verificación de las derivas de los casos sísmicos y las
// combinaciones con sismo, de los pisos y de los niveles sin diafragma
// (derivas.csv); con torsionAccidental:, los momentos de piso de cada caso
// sísmico que la recibe (torsionAccidental.csv).
#include <algorithm>
#include <memory>
#include <vector>

#include "analisis/tablasFamilias.h"
#include "analisis/tablasResultados.h"
#include "globales.h"
#include "modelo/diafragma.h"
#include "modelo/disenoSismico.h"

namespace {

int usuarioDe(int interno) {
    return interno >= 0 && static_cast<size_t>(interno) < nudo.size() ? nudo[static_cast<size_t>(interno)].getNoNudoUsuario()
                                                                       : 0;
}

struct filaPiso {
    size_t caso;
    int diafragma;  // índice en diafragmas
    bool minimos;
};

void tablaDePisos(resultadosAnalisis& r) {
    tablaResultados t;
    t.clave = "pisos.csv";
    t.titulo = "Fuerzas, cortantes y vuelcos de piso";
    t.enReporte = t.enInforme = true;
    t.columnas = {{"caso", claseValor::texto},       {"diafragma", claseValor::entero},  {"z", claseValor::longitud},
                  {"fuerzaX", claseValor::fuerza},   {"fuerzaY", claseValor::fuerza},    {"cortanteX", claseValor::fuerza},
                  {"cortanteY", claseValor::fuerza}, {"vuelcoX", claseValor::momento},   {"vuelcoY", claseValor::momento}};
    auto filas = std::make_shared<std::vector<filaPiso>>();
    for (size_t c = 0; c < r.casos.size(); ++c) {
        const casoResultado& caso = r.casos[c];
        if (caso.tipo == tipoCaso::segundoOrden && caso.segundoOrden.inestable) continue;
        for (int k : diafragmasPorAltura()) {
            if (static_cast<size_t>(k) >= caso.pisos.size()) continue;
            filas->push_back({c, k, false});
            if (caso.dosValores()) filas->push_back({c, k, true});
        }
    }
    t.filas = filas->size();
    t.llenar = [&r, filas](std::size_t i, filaTabla& f) {
        const filaPiso& fp = (*filas)[i];
        const casoResultado& caso = r.casos[fp.caso];
        const resultadoPiso& p = caso.pisos[static_cast<size_t>(fp.diafragma)];
        f.caso = static_cast<int>(fp.caso);
        f.escalas = &caso.escalas;
        std::string nombre = caso.nombre;
        if (caso.dosValores()) nombre += fp.minimos ? " (mínimos)" : " (máximos)";
        f.texto(nombre).entero(diafragmas[static_cast<size_t>(fp.diafragma)].numero);
        f.numero(diafragmas[static_cast<size_t>(fp.diafragma)].z);
        const double* fuerza = fp.minimos ? p.fuerzaMinima : p.fuerza;
        const double* cortante = fp.minimos ? p.cortanteMinimo : p.cortante;
        const double* vuelco = fp.minimos ? p.vuelcoMinimo : p.vuelco;
        // Sin el ruido del redondeo (las cargas horizontales nulas de una
        // combinación de gravedad suman 1e-29, no cero), igual en el CSV y en
        // resultados.txt.
        const double ef = caso.escalas.fuerzas, em = caso.escalas.momentos;
        f.numero(sinRuido(fuerza[0], ef)).numero(sinRuido(fuerza[1], ef)).numero(sinRuido(cortante[0], ef));
        f.numero(sinRuido(cortante[1], ef)).numero(sinRuido(vuelco[0], em)).numero(sinRuido(vuelco[1], em));
    };
    agregarTabla(r, std::move(t));
}

void tablaDeCentros(resultadosAnalisis& r) {
    if (r.centros.empty()) return;
    tablaResultados t;
    t.clave = "centros.csv";
    t.titulo = "Masa y centros de los pisos";
    t.enReporte = t.enInforme = true;
    t.columnas = {{"diafragma", claseValor::entero}, {"z", claseValor::longitud},        {"masa", claseValor::masa},
                  {"xMasa", claseValor::longitud},   {"yMasa", claseValor::longitud},    {"xRigidez", claseValor::longitud},
                  {"yRigidez", claseValor::longitud}};
    auto orden = std::make_shared<std::vector<int>>(diafragmasPorAltura());
    t.filas = std::min(orden->size(), r.centros.size());
    t.llenar = [&r, orden](std::size_t i, filaTabla& f) {
        const int k = (*orden)[i];
        const diafragma& d = diafragmas[static_cast<size_t>(k)];
        const centroPiso& c = r.centros[static_cast<size_t>(k)];
        f.entero(d.numero).numero(d.z).numero(c.masa).numero(c.xMasa).numero(c.yMasa);
        if (c.conRigidez)
            f.numero(c.xRigidez).numero(c.yRigidez);
        else
            f.vacia().vacia();
    };
    agregarTabla(r, std::move(t));
}

// Una fila de derivas.csv: un piso con diafragma (su índice) o un nivel sin
// diafragma (su índice en resultadosAnalisis::niveles).
struct filaDeriva {
    size_t caso;
    int indice;
    bool nivel;
};

void tablaDeDerivas(resultadosAnalisis& r) {
    if (!diseno.conLimiteDeriva) return;
    tablaResultados t;
    t.clave = "derivas.csv";
    t.titulo = "Verificación de las derivas de piso";
    t.enReporte = t.enInforme = true;
    t.columnas = {{"caso", claseValor::texto},          {"piso", claseValor::entero},         {"z", claseValor::longitud},
                  {"derivaX", claseValor::deriva},      {"nudoX", claseValor::entero},        {"derivaY", claseValor::deriva},
                  {"nudoY", claseValor::entero},        {"razonTorsion", claseValor::factor},
                  {"inelasticaX", claseValor::deriva},
                  {"inelasticaY", claseValor::deriva},  {"cumple", claseValor::texto},        {"barraX", claseValor::entero},
                  {"barraY", claseValor::entero}};
    // Por caso, los pisos y los niveles de abajo hacia arriba (a la misma
    // altura, primero los pisos, en su orden).
    auto filas = std::make_shared<std::vector<filaDeriva>>();
    for (size_t c = 0; c < r.casos.size(); ++c) {
        const casoResultado& caso = r.casos[c];
        std::vector<std::pair<double, filaDeriva>> delCaso;
        for (int k : diafragmasPorAltura())
            if (static_cast<size_t>(k) < caso.pisos.size() && caso.pisos[static_cast<size_t>(k)].verificada)
                delCaso.push_back({diafragmas[static_cast<size_t>(k)].z, {c, k, false}});
        for (size_t k = 0; k < caso.niveles.size() && k < r.niveles.size(); ++k)
            if (caso.niveles[k].verificada) delCaso.push_back({r.niveles[k].z, {c, static_cast<int>(k), true}});
        std::stable_sort(delCaso.begin(), delCaso.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& e : delCaso) filas->push_back(e.second);
    }
    t.filas = filas->size();
    t.llenar = [&r, filas](std::size_t i, filaTabla& f) {
        const filaDeriva& fd = (*filas)[i];
        const casoResultado& caso = r.casos[fd.caso];
        f.caso = static_cast<int>(fd.caso);
        const size_t k = static_cast<size_t>(fd.indice);
        // Lo que se verifica: las derivas sin el redondeo (la inelástica es
        // FACTOR por ellas), la razón torsional y si cumple.
        const auto verificacion = [&f](const double inelastica[2], int nudoX, int nudoY, double razon, bool cumple) {
            f.numero(inelastica[0] / diseno.factorDeriva).entero(usuarioDe(nudoX));
            f.numero(inelastica[1] / diseno.factorDeriva).entero(usuarioDe(nudoY));
            if (razon > 0)
                f.numero(razon);
            else
                f.vacia();
            f.numero(inelastica[0]).numero(inelastica[1]).texto(cumple ? "cumple" : "NO CUMPLE");
        };
        if (!fd.nivel) {
            const resultadoPiso& p = caso.pisos[k];
            const resultadoDiafragma& d = caso.diafragmas[k];
            f.texto(caso.nombre).entero(diafragmas[k].numero).numero(diafragmas[k].z);
            verificacion(p.inelastica, d.nudoX, d.nudoY, p.razonTorsion, p.cumple);
            f.vacia().vacia();
            return;
        }
        // Un nivel sin diafragma: sin número de piso; los nudos, los de arriba
        // de las columnas que mandan.
        const nivelColumnas& n = r.niveles[k];
        const resultadoNivel& rn = caso.niveles[k];
        const auto de = [](const std::vector<int>& v, int j) {
            return j >= 0 && static_cast<size_t>(j) < v.size() ? v[static_cast<size_t>(j)] : -1;
        };
        const auto barraUsuario = [](int b) {
            return b >= 0 && static_cast<size_t>(b) < barra.size() ? barra[static_cast<size_t>(b)].getNoBarraUsuario() : 0;
        };
        f.texto(caso.nombre).vacia().numero(n.z);
        verificacion(rn.inelastica, de(n.nudosArriba, rn.columnaX), de(n.nudosArriba, rn.columnaY), rn.razonTorsion,
                     rn.cumple);
        f.entero(barraUsuario(de(n.barras, rn.columnaX))).entero(barraUsuario(de(n.barras, rn.columnaY)));
    };
    agregarTabla(r, std::move(t));
}

void tablaDeTorsion(resultadosAnalisis& r) {
    if (!(diseno.torsionAccidental > 0)) return;
    tablaResultados t;
    t.clave = "torsionAccidental.csv";
    t.titulo = "Momentos de torsión accidental de los pisos";
    t.enReporte = t.enInforme = true;
    t.columnas = {{"caso", claseValor::texto},
                  {"diafragma", claseValor::entero},
                  {"z", claseValor::longitud},
                  {"momento", claseValor::momento}};
    auto filas = std::make_shared<std::vector<std::pair<size_t, int>>>();
    for (size_t c = 0; c < r.casos.size(); ++c) {
        const casoResultado& caso = r.casos[c];
        if (caso.tipo != tipoCaso::espectral || caso.sismo < 0 || static_cast<size_t>(caso.sismo) >= r.sismos.size())
            continue;
        const resultadoSismico& s = r.sismos[static_cast<size_t>(caso.sismo)];
        if (!s.conTorsion) continue;
        for (int k : diafragmasPorAltura())
            if (static_cast<size_t>(k) < s.momentosTorsion.size()) filas->emplace_back(c, k);
    }
    t.filas = filas->size();
    t.llenar = [&r, filas](std::size_t i, filaTabla& f) {
        const auto [c, k] = (*filas)[i];
        const casoResultado& caso = r.casos[c];
        const diafragma& d = diafragmas[static_cast<size_t>(k)];
        f.caso = static_cast<int>(c);
        f.escalas = &caso.escalas;
        f.texto(caso.nombre).entero(d.numero).numero(d.z);
        f.numero(r.sismos[static_cast<size_t>(caso.sismo)].momentosTorsion[static_cast<size_t>(k)]);
    };
    agregarTabla(r, std::move(t));
}

}  // namespace

void publicarTablasDePisos(resultadosAnalisis& r) {
    if (diafragmas.empty() && r.niveles.empty()) return;
    if (!diafragmas.empty()) {
        tablaDePisos(r);
        tablaDeCentros(r);
    }
    tablaDeDerivas(r);
    tablaDeTorsion(r);
}
