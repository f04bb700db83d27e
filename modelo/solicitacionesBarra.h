// Solicitaciones de una barra en un caso de resultados: fuerzas y
// desplazamientos de extremo en ejes locales, las constantes de las funciones
// cerradas a lo largo de la barra (axial, cortes, momentos, torsión y
// elástica) y los extremos exactos de cada función. Es un dato: lo calcula la
// barra para unos desplazamientos (objBarra3d::calcularSolicitaciones), lo
// guarda el caso de resultados y lo leen las salidas.
#pragma once

// Las solicitaciones en este orden: N, Vy, Vz, T, My, Mz. Vy y My son el
// corte según y local y el momento del plano x-y (alrededor de z, con Iz);
// Vz y Mz los del plano x-z (alrededor de y, con Iy).
inline constexpr int kNumeroSolicitaciones = 6;
enum indiceSolicitacion : int { kSolicitacionN, kSolicitacionVy, kSolicitacionVz, kSolicitacionT,
                                kSolicitacionMy, kSolicitacionMz };
inline constexpr const char* kNombresSolicitaciones[kNumeroSolicitaciones] = {"N", "Vy", "Vz", "T", "My", "Mz"};

// La fuerza de extremo que da el valor de cada solicitación en el inicio y en
// el fin de la barra, y el signo con que lo da: N(0) = −fx1, N(L) = fx2;
// Vy(0) = fy1, Vy(L) = −fy2; Vz(0) = fz1, Vz(L) = −fz2; T(0) = −mx1,
// T(L) = mx2; My(0) = −mz1, My(L) = mz2; Mz(0) = my1, Mz(L) = −my2.
struct fuerzasDeSolicitacion {
    int inicio, fin;
    double signoInicio, signoFin;
};
inline constexpr fuerzasDeSolicitacion kFuerzasDeSolicitacion[kNumeroSolicitaciones] = {
    {0, 6, -1, 1}, {1, 7, 1, -1}, {2, 8, 1, -1}, {3, 9, -1, 1}, {5, 11, -1, 1}, {4, 10, 1, -1}};

// Mayor y menor valor de una función a lo largo de la barra, con su distancia
// x desde el inicio. En una envolvente, la combinación que manda en cada uno
// (su índice entre los casos de resultados); -1 en un caso de un solo valor.
struct extremoSolicitacion {
    double maximo = 0, xMaximo = 0;
    double minimo = 0, xMinimo = 0;
    int casoMaximo = -1, casoMinimo = -1;
};

// Un plano de flexión con carga q(x) = qInicio + pendiente·x:
//   V(x) = pendiente·x²/2 + qInicio·x + c1
//   M(x) = pendiente·x³/6 + qInicio·x²/2 + c1·x + c2
//   E·I·flecha(x) = pendiente·x⁵/120 + qInicio·x⁴/24 + c1·x³/6 + c2·x²/2 + c3·x + c4
//                   + E·I·curvaturaTermica·x²/2 − E·I·flexibilidadCorte·M(x)
// curvaturaTermica es la curvatura libre del gradiente de temperatura (−α·G):
// la flecha la incluye, el momento no. flexibilidadCorte es f/(G·A) en una
// sección con deformación por corte (la placa, f = 1.2), 0 en las demás: la
// distorsión f·V/(G·A), con V = M', suma a la flecha −f·M(x)/(G·A) (lo que
// tiene de lineal lo absorben c3 y c4, que la ajustan a los extremos).
struct planoSolicitaciones {
    double pendiente = 0, qInicio = 0;
    double c1 = 0, c2 = 0, c3 = 0, c4 = 0;
    double curvaturaTermica = 0;
    double flexibilidadCorte = 0;
    // Donde el corte se anula dentro de la barra (-1 si no se anula), el
    // punto en que el diagrama de momentos escribe su valor extremo.
    double xCorteNulo = -1;
};

struct solicitacionesBarra {
    double fuerzas[12] = {};          // fx fy fz mx my mz del inicio y del fin
    double desplazamientos[12] = {};  // ux uy uz gx gy gz del inicio y del fin
    // Carga axial distribuida lineal de fx1 en el inicio a fx2 en el fin:
    // N(x) = −fx1·x − (fx2 − fx1)·x²/(2L) más el axial del inicio. La
    // torsión es lineal entre sus valores de extremo.
    double cargaAxialInicio = 0, cargaAxialFin = 0;
    planoSolicitaciones planoY, planoZ;  // x-y (Vy, My) y x-z (Vz, Mz)
    // En segundo orden, el esfuerzo axial (tracción positiva) con que la barra
    // formó su rigidez geométrica; 0 en primer orden. Los momentos suman
    // entonces N·δ(x), con δ la flecha respecto de la cuerda (nula en los dos
    // extremos), y los cortes, que siguen los ejes locales sin deformar,
    // −N·ρ, con ρ el giro de la cuerda en su plano: los diagramas empalman con
    // las fuerzas de extremo de (K + Kg)·u.
    double axialSegundoOrden = 0;
    extremoSolicitacion extremos[kNumeroSolicitaciones];
};
