#include "visor/interaccion/panel.h"

#include <algorithm>
#include <cstddef>

#include "visor/escena/estadoVisor.h"
#include "visor/escena/ventanaSistema.h"
#include "visor/escena/visibilidad.h"
#include "visor/interaccion/interruptores.h"

std::vector<BotonPanel> botonesPanel(const std::vector<int>& flags, int w, int h) {
    std::vector<BotonPanel> botones = {
        {w - 130.0, h - 80.0, 120, 15, "Calcular", kFlagCalculado},
        {10, 30, 70, 12, "tag Nudos", kFlagTagNudos},
        {10, 45, 70, 12, "tag Barras", kFlagTagBarras},
        {10, 60, 70, 12, "secciones", kFlagSecciones},
        {10, 75, 70, 12, "apoyos", kFlagApoyos},
        {10, 90, 70, 12, "volumen", kFlagVolumen},
        {10, 120, 70, 12, "carga", kFlagCargas},
    };
    // Los botones de resultados aparecen cuando el análisis ya corrió.
    if (flags.size() > kFlagCalculado && flags[kFlagCalculado] == 1) {
        const std::vector<BotonPanel> resultados = {
            {10, 135, 70, 12, "reaccion", kFlagReacciones}, {10, 150, 70, 12, "deflexion", kFlagDeformada},
            {10, 165, 70, 12, "N", kFlagAxial},             {10, 180, 70, 12, "Vy", kFlagCortanteY},
            {10, 195, 70, 12, "My", kFlagMomentoY},         {10, 210, 70, 12, "Vz", kFlagCortanteZ},
            {10, 225, 70, 12, "Mz", kFlagMomentoZ},         {10, 240, 70, 12, "T", kFlagTorsion},
        };
        botones.insert(botones.end(), resultados.begin(), resultados.end());
    }
    return botones;
}

std::vector<std::string> combosDelPanel() {
    std::vector<std::string> nombres;
    for (int c = 0; c < cantidadCombos(); ++c) nombres.push_back(nombreCombo(c));
    return nombres;
}

std::vector<BotonPanel> botonesCombos(const std::vector<std::string>& nombres, int w) {
    std::vector<BotonPanel> botones;
    for (size_t i = 0; i < nombres.size(); ++i) {
        const int c = static_cast<int>(i);
        botones.push_back({w - 130.0, 35 + (kRenglon + 3) * c, 130, kRenglon, nombres[i], kFlagPrimerCombo + c});
    }
    return botones;
}

double yIndicador(int h, int renglones) { return h - (2 + renglones) * kRenglon; }

RectanguloPixeles areaLibre(int w, int h, int renglonesIndicador) {
    RectanguloPixeles a;
    a.x1 = w - kAnchoColumnaCombos;
    // Todos los botones, también los de resultados: los de la columna
    // izquierda la ensanchan; los de la derecha ("Calcular" y las
    // combinaciones) la adelantan.
    std::vector<int> todos(kNumeroFlags, 0);
    todos[kFlagCalculado] = 1;
    std::vector<BotonPanel> botones = botonesPanel(todos, w, h);
    const std::vector<BotonPanel> combos = botonesCombos({""}, w);
    botones.insert(botones.end(), combos.begin(), combos.end());
    for (const BotonPanel& b : botones) {
        if (b.x < w / 2.0)
            a.x0 = std::max(a.x0, b.x + b.ancho);
        else
            a.x1 = std::min(a.x1, b.x);
    }
    a.x0 += kSeparacionPaneles;
    a.x1 -= kSeparacionPaneles;
    // El primer renglón del indicador sube un renglón desde su línea base.
    a.y1 = yIndicador(h, std::max(1, renglonesIndicador)) - kRenglon - kSeparacionPaneles;
    return a;
}

RectanguloPixeles cajaLeyenda(int lineas, double ancho) {
    if (lineas <= 0) return RectanguloPixeles();
    // Helvetica 12 sube unos 10 píxeles sobre la línea base y baja 3.
    return {kXLeyenda - kBordeLeyenda, kYLeyenda - kRenglon + 2.0 - kBordeLeyenda, kXLeyenda + ancho + kBordeLeyenda,
            kYLeyenda + (lineas - 1) * kRenglon + 3.0 + kBordeLeyenda};
}

RectanguloPixeles areaDeEncuadre(int w, int h, int renglonesIndicador, int lineasLeyenda) {
    RectanguloPixeles a = areaLibre(w, h, renglonesIndicador);
    if (lineasLeyenda <= 0) return a;
    // Una leyenda tan larga que deja menos de la mitad de lo libre no lo achica:
    // el modelo quedaría diminuto; se dibuja igual y la leyenda lo tapa.
    const double y0 = cajaLeyenda(lineasLeyenda, 0.0).y1 + kSeparacionPaneles;
    if (a.y1 - y0 >= (a.y1 - a.y0) / 2.0) a.y0 = std::max(a.y0, y0);
    return a;
}

bool clickDentro(double x, double y, double ancho, double alto, int xClick, int yClick) {
    return x < xClick && xClick < x + ancho && y < yClick && yClick < y + alto;
}

bool consumirClick(double x, double y, double ancho, double alto) {
    if (!clickDentro(x, y, ancho, alto, xClickIzq, yClickIzq)) return false;
    xClickIzq = 0;
    yClickIzq = 0;
    return true;
}

void clicEnBotonFlag(double x, double y, double ancho, double alto, int k) {
    if (k < 0 || k >= static_cast<int>(flags.size())) return;
    if (!consumirClick(x, y, ancho, alto)) return;
    modificadorFlagsGraf(k);
    ventanaSistema::pedirRedibujo();
}

void clicEnBotonCombo(double x, double y, double ancho, double alto, int i) {
    const int k = kFlagPrimerCombo + i;
    if (i < 0 || k >= static_cast<int>(flags.size())) return;
    // Sin pasar por modificadorFlagsGraf: conmutar una combinación no apaga
    // capas, pero cambia las que se ven y termina el resaltado de "barra N".
    if (!consumirClick(x, y, ancho, alto)) return;
    flags[static_cast<size_t>(k)] += 1;
    barraResaltada = -1;
    ventanaSistema::pedirRedibujo();
}
