// Las tablas de los pisos: por caso y diafragma, de abajo hacia arriba, las
// fuerzas de piso, los cortantes y los momentos de vuelco (pisos.csv; dos
// filas en un caso de dos valores, sus máximos y sus mínimos); por diafragma,
// su masa y sus centros de masa y de rigidez (centros.csv); con
// derivaLimite:, la verificación de las derivas de los casos sísmicos y las
// combinaciones con sismo (derivas.csv); con torsionAccidental:, los momentos
// de piso de cada caso sísmico que la recibe (torsionAccidental.csv).
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
                  {"inelasticaY", claseValor::deriva},  {"cumple", claseValor::texto}};
    auto filas = std::make_shared<std::vector<std::pair<size_t, int>>>();
    for (size_t c = 0; c < r.casos.size(); ++c)
        for (int k : diafragmasPorAltura()) {
            const casoResultado& caso = r.casos[c];
            if (static_cast<size_t>(k) < caso.pisos.size() && caso.pisos[static_cast<size_t>(k)].verificada)
                filas->emplace_back(c, k);
        }
    t.filas = filas->size();
    t.llenar = [&r, filas](std::size_t i, filaTabla& f) {
        const auto [c, k] = (*filas)[i];
        const casoResultado& caso = r.casos[c];
        const resultadoPiso& p = caso.pisos[static_cast<size_t>(k)];
        const resultadoDiafragma& d = caso.diafragmas[static_cast<size_t>(k)];
        f.caso = static_cast<int>(c);
        f.texto(caso.nombre).entero(diafragmas[static_cast<size_t>(k)].numero).numero(diafragmas[static_cast<size_t>(k)].z);
        // Las derivas sin el redondeo: la inelástica es FACTOR por ellas.
        f.numero(p.inelastica[0] / diseno.factorDeriva).entero(usuarioDe(d.nudoX));
        f.numero(p.inelastica[1] / diseno.factorDeriva).entero(usuarioDe(d.nudoY));
        if (p.razonTorsion > 0)
            f.numero(p.razonTorsion);
        else
            f.vacia();
        f.numero(p.inelastica[0]).numero(p.inelastica[1]).texto(p.cumple ? "cumple" : "NO CUMPLE");
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
    if (diafragmas.empty()) return;
    tablaDePisos(r);
    tablaDeCentros(r);
    tablaDeDerivas(r);
    tablaDeTorsion(r);
}
