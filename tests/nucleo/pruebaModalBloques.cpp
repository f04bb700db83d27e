// Lanczos por bloques: un operador de espectro conocido con un valor triple, y en un edificio
// simétrico los modos de la descomposición densa, del problema generalizado denso con LAPACK y
// del Lanczos de un vector: pulsaciones, masas
// efectivas y formas (las de frecuencias repetidas, como subespacio), también con masas sólo en
// las traslaciones y con menos modos con masa que los pedidos.
#include "analisis/analisisModal.h"
#include "analisis/lanczosBloque.h"
#include "utilidades.h"

namespace {

// Fija el camino de los modos mientras vive: bloques o el Lanczos de un vector.
class CaminoModal {
public:
    explicit CaminoModal(bool bloques) { ajustesModales().soloUnVector = !bloques; }
    ~CaminoModal() { ajustesModales().soloUnVector = false; }
};

std::vector<modoVibracion> modosPor(bool bloques, const std::string& modelo, metodoModal esperado) {
    const CaminoModal camino(bloques);
    EXPECT_TRUE(analizarModelo(modelo));
    EXPECT_EQ(ultimoInformeModal().metodo, esperado) << (bloques ? "bloques" : "lanczos");
    return resultados.modos;
}

// Edificio de n x n vanos de 4 m y `pisos` pisos de 3 m, columnas cuadradas con el peso
// específico dado: planta simétrica, con los modos de traslación en X y en Y de igual frecuencia.
std::string edificio(int n, int pisos, double peso, const std::string& resto) {
    std::ostringstream s, columnas, vigas, barras;
    const auto numero = [&](int i, int j, int k) { return 1 + i + (n + 1) * (j + (n + 1) * k); };
    s << "nudos:\n";
    for (int k = 0, b = 0; k <= pisos; ++k)
        for (int j = 0; j <= n; ++j)
            for (int i = 0; i <= n; ++i) {
                s << numero(i, j, k) << " " << 4 * i << " " << 4 * j << " " << 3 * k << "\n";
                if (k == 0) continue;
                barras << ++b << " " << numero(i, j, k - 1) << " " << numero(i, j, k) << "\n", columnas << " " << b;
                for (const int otro : {i < n ? numero(i + 1, j, k) : 0, j < n ? numero(i, j + 1, k) : 0})
                    if (otro > 0) barras << ++b << " " << numero(i, j, k) << " " << otro << "\n", vigas << " " << b;
            }
    s << "barras:\n" << barras.str() << "apoyo: 1 1 1 1 1 1";
    for (int i = 1; i <= (n + 1) * (n + 1); ++i) s << " " << i;
    s << "\nseccionRectangular: C 0.5 0.5 25e6 0.2 " << peso << columnas.str() << "\nseccionRectangular: V 0.3 0.6 25e6 0.2 "
      << peso << vigas.str() << "\ngravedad: 9.81\npuntual: W 1 0 0 0 0 0  " << numero(0, 0, pisos) << "\ncombo: U 1 W\n";
    return s.str() + resto;
}

// Los modos de los dos caminos coinciden: pulsaciones, masas efectivas de cada grupo de
// frecuencias iguales y formas, cada una en el subespacio de las de su grupo (el signo y, en un
// grupo, la combinación son libres).
void esperarMismosModos(const std::vector<modoVibracion>& a, const std::vector<modoVibracion>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0, j; i < a.size(); i = j) {
        Eigen::Vector3d masa = Eigen::Vector3d::Zero();
        Eigen::MatrixXd grupo(b[i].forma.size(), 0);
        for (j = i; j < b.size() && std::fabs(b[j].omega - b[i].omega) <= 1e-7 * b[i].omega; ++j) {
            EXPECT_NEAR(a[j].omega, b[j].omega, 1e-9 * b[j].omega) << "modo " << j + 1;
            masa += a[j].masaEfectiva - b[j].masaEfectiva;
            grupo.conservativeResize(Eigen::NoChange, grupo.cols() + 1);
            grupo.rightCols(1) = b[j].forma;
        }
        EXPECT_LE(masa.cwiseAbs().maxCoeff(), 1e-8) << "modos " << i + 1 << " a " << j;
        const Eigen::MatrixXd q = Eigen::HouseholderQR<Eigen::MatrixXd>(grupo).householderQ() *
                                  Eigen::MatrixXd::Identity(grupo.rows(), grupo.cols());
        for (size_t k = i; k < j; ++k)
            EXPECT_LE((a[k].forma - q * (q.transpose() * a[k].forma)).norm(), 1e-7 * a[k].forma.norm()) << "modo " << k + 1;
    }
}

}  // namespace

TEST(ModalBloques, EspectroConocidoConValorTriple) {
    // A = Q·D·Qᵀ con Q ortogonal al azar: 9 (tres veces), 5, 4 (dos veces), 3 y el resto entre
    // 0.01 y 2. B = 2·Qᵀ: la otra imagen de cada vector pedido sale como 2·Qᵀ·y.
    const Eigen::Index n = 400;
    Eigen::VectorXd d = Eigen::VectorXd::LinSpaced(n, 0.01, 2.0);
    d.head(7) << 9, 9, 9, 5, 4, 4, 3;
    const Eigen::HouseholderQR<Eigen::MatrixXd> qr(Eigen::MatrixXd::Random(n, n));
    const Eigen::MatrixXd q = qr.householderQ();
    const Eigen::MatrixXd a = q * d.asDiagonal() * q.transpose();
    const operadorBloque op = [&](const Eigen::MatrixXd& x, Eigen::MatrixXd& otra) {
        otra = 2 * q.transpose() * x;
        return Eigen::MatrixXd(a * x);
    };
    parametrosLanczosBloque p;
    p.bloque = 2, p.retenidos = 12, p.base = 20;
    Eigen::VectorXd valores;
    Eigen::MatrixXd vectores, otras;
    informeLanczosBloque info;
    ASSERT_TRUE(lanczosBloque(op, n, 6, p, valores, vectores, &otras, &info));
    EXPECT_TRUE(casiIguales(valores, (Eigen::VectorXd(6) << 9, 9, 9, 5, 4, 4).finished(), 1e-12));
    EXPECT_TRUE(casiIguales(vectores.transpose() * vectores, Eigen::MatrixXd::Identity(6, 6), 1e-12));
    EXPECT_LE((a * vectores - vectores * valores.asDiagonal()).norm(), 1e-9);
    EXPECT_TRUE(casiIguales(otras, 2 * q.transpose() * vectores, 1e-12));
    EXPECT_GT(info.reinicios, 0);

    // La base no cabe en el espacio, o no converge en las pasadas dadas.
    EXPECT_FALSE(lanczosBloque(op, 20, 6, p, valores, vectores));
    p.pasadasMaximas = 2;
    EXPECT_FALSE(lanczosBloque(op, n, 6, p, valores, vectores, nullptr, &info));
    EXPECT_EQ(info.pasadas, 2);
}

TEST(ModalBloques, LosModosDeLaDescomposicionDensaYDelLanczosDeUnVector) {
    // Edificio simétrico de 4 x 4 vanos y 4 pisos (600 libres) con su peso propio: pares de
    // frecuencias iguales. Los diez primeros, como los de la descomposición densa del problema
    // entero (que sale con 300 pedidos), con los dos del par de 80.38 rad/s.
    const std::vector<modoVibracion> bloques = modosPor(true, edificio(4, 4, 24, "modos: 10\n"), metodoModal::bloques);
    std::vector<modoVibracion> densa = modosPor(true, edificio(4, 4, 24, "modos: 300\n"), metodoModal::densa);
    // Con 100 pedidos la base de los bloques sería más de un cuarto de los libres: el problema
    // generalizado denso con LAPACK, con los mismos modos (el 100 es el primero de un par de
    // igual frecuencia, y cada camino puede tomar cualquier forma del par: se comparan 99).
    std::vector<modoVibracion> generalizada =
        modosPor(true, edificio(4, 4, 24, "modos: 100\n"), metodoModal::densaGeneralizada);
    ASSERT_EQ(generalizada.size(), 100u);
    generalizada.resize(99);
    densa.resize(99);
    esperarMismosModos(generalizada, densa);
    densa.resize(10);
    esperarMismosModos(bloques, densa);
    EXPECT_NEAR(bloques[9].omega, 80.382095911289, 1e-9);

    // Sin peso propio y con masas sólo en los nudos de los pisos: los giros no tienen masa.
    std::string masas = "masaNudo: 2 ";
    for (int i = 26; i <= 125; ++i) masas += " " + std::to_string(i);
    const std::string concentradas = edificio(4, 4, 0, masas + "\nmodos: 12\n");
    esperarMismosModos(modosPor(true, concentradas, metodoModal::bloques),
                       modosPor(false, concentradas, metodoModal::lanczos));

    // Masa en dos nudos (seis modos) y ocho pedidos: los bloques se detienen en los modos sin
    // masa y sigue el Lanczos de un vector, con sus mismos avisos.
    const std::string dos = edificio(4, 4, 0, "masaNudo: 2  125 101\nmodos: 8\n");
    std::vector<Lineas> avisos;
    for (const bool bloques : {true, false}) {
        const CaminoModal camino(bloques);
        cargarModelo(dos);
        const size_t desde = mensajes.tamano();
        ASSERT_TRUE(funcionSolve());
        EXPECT_EQ(ultimoInformeModal().metodo, metodoModal::lanczos);
        EXPECT_EQ(ultimoInformeModal().pasadasBloques > 0, bloques);
        avisos.push_back(mensajes.textos(desde));
    }
    EXPECT_EQ(avisos[0], avisos[1]);
    EXPECT_NE(std::find(avisos[0].begin(), avisos[0].end(), "Advertencia: se pidieron 8 modos y hay 6"), avisos[0].end());
}
