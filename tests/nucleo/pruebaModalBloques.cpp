// Lanczos por bloques: sus autovalores y vectores en un operador de espectro conocido (con un
// valor triple y con un núcleo), y en modelos chicos con el umbral bajado, los mismos modos que
// el Lanczos de un vector: pulsaciones, masas efectivas y formas (las de frecuencias repetidas,
// como subespacio), con masas sólo en las traslaciones y con menos modos con masa que los pedidos.
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
    for (int k = 0; k <= pisos; ++k)
        for (int j = 0; j <= n; ++j)
            for (int i = 0; i <= n; ++i) s << numero(i, j, k) << " " << 4 * i << " " << 4 * j << " " << 3 * k << "\n";
    int b = 0;
    for (int k = 0; k < pisos; ++k)
        for (int j = 0; j <= n; ++j)
            for (int i = 0; i <= n; ++i) {
                barras << ++b << " " << numero(i, j, k) << " " << numero(i, j, k + 1) << "\n";
                columnas << " " << b;
                for (const int vecino : {i < n ? numero(i + 1, j, k + 1) : 0, j < n ? numero(i, j + 1, k + 1) : 0})
                    if (vecino > 0) barras << ++b << " " << numero(i, j, k + 1) << " " << vecino << "\n", vigas << " " << b;
            }
    s << "barras:\n" << barras.str() << "apoyo: 1 1 1 1 1 1";
    for (int i = 1; i <= (n + 1) * (n + 1); ++i) s << " " << i;
    s << "\nseccionRectangular: C 0.5 0.5 25e6 0.2 " << peso << columnas.str() << "\nseccionRectangular: V 0.3 0.6 25e6 0.2 "
      << peso << vigas.str() << "\ngravedad: 9.81\npuntual: W 1 0 0 0 0 0  " << numero(0, 0, pisos) << "\ncombo: U 1 W\n"
      << resto;
    return s.str();
}

// Los modos de los dos caminos coinciden: pulsaciones y masas efectivas de cada grupo de
// frecuencias iguales; las formas, una a una salvo el signo y, en un grupo, como subespacio.
void esperarMismosModos(const std::vector<modoVibracion>& a, const std::vector<modoVibracion>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size();) {
        size_t j = i + 1;
        while (j < b.size() && std::fabs(b[j].omega - b[i].omega) <= 1e-7 * b[i].omega) ++j;
        Eigen::Vector3d masaA = Eigen::Vector3d::Zero(), masaB = Eigen::Vector3d::Zero();
        Eigen::MatrixXd formasB(b[i].forma.size(), static_cast<Eigen::Index>(j - i));
        for (size_t k = i; k < j; ++k) {
            EXPECT_NEAR(a[k].omega, b[k].omega, 1e-9 * b[k].omega) << "modo " << k + 1;
            masaA += a[k].masaEfectiva, masaB += b[k].masaEfectiva;
            formasB.col(static_cast<Eigen::Index>(k - i)) = b[k].forma;
        }
        EXPECT_TRUE(casiIguales(masaA, masaB, 1e-8)) << "modos " << i + 1 << " a " << j;
        const Eigen::HouseholderQR<Eigen::MatrixXd> qr(formasB);
        const Eigen::MatrixXd q = qr.householderQ() * Eigen::MatrixXd::Identity(formasB.rows(), formasB.cols());
        for (size_t k = i; k < j; ++k) {
            const Eigen::VectorXd& f = a[k].forma;
            if (j == i + 1) {
                EXPECT_TRUE(casiIguales(f.dot(b[k].forma) < 0 ? -f : f, b[k].forma, 1e-7)) << "modo " << k + 1;
            }
            EXPECT_LE((f - q * (q.transpose() * f)).norm(), 1e-7 * f.norm()) << "modo " << k + 1;
        }
        i = j;
    }
}

}  // namespace

TEST(ModalBloques, EspectroConocidoConValorTripleYNucleo) {
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

    // Sólo tres valores no nulos: el cuarto pedido es nulo y se deja a quien llama.
    const Eigen::MatrixXd nucleo = q.leftCols(3) * Eigen::Vector3d(3, 2, 1).asDiagonal() * q.leftCols(3).transpose();
    const operadorBloque singular = [&](const Eigen::MatrixXd& x, Eigen::MatrixXd&) { return Eigen::MatrixXd(nucleo * x); };
    EXPECT_FALSE(lanczosBloque(singular, n, 4, p, valores, vectores, nullptr, &info));
    EXPECT_TRUE(info.nulos);
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

TEST(ModalBloques, VoladizoComoLaDescomposicionDensa) {
    // Voladizo de 90 barras (540 libres): seis modos por bloques contra la descomposición densa
    // del problema entero; las formas, con su mayor traslación en 1, se comparan tal cual.
    const std::string resto = "apoyo: 1 1 1 1 1 1  1\nmodos: ";
    const std::vector<modoVibracion> bloques = modosPor(true, barraSubdividida(90, resto + "6\n", 78.5), metodoModal::bloques);
    const std::vector<modoVibracion> densa = modosPor(true, barraSubdividida(90, resto + "270\n", 78.5), metodoModal::densa);
    ASSERT_EQ(bloques.size(), 6u);
    for (size_t k = 0; k < 6; ++k) {
        EXPECT_NEAR(bloques[k].omega, densa[k].omega, 1e-9 * densa[k].omega) << k;
        EXPECT_TRUE(casiIguales(bloques[k].forma, densa[k].forma, 1e-7)) << k;
    }
}
