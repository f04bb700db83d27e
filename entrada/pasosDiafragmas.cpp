// Paso del cargador: diafragmas rígidos de piso ("diafragma: NODOS...").
#include <algorithm>
#include <cmath>
#include <string>

#include "diagnosticos.h"
#include "entrada/pasosCarga.h"
#include "globales.h"
#include "modelo/diafragma.h"
#include "modelo/sismo.h"

void pasoDiafragmas(ContextoCarga& ctx) {
    diafragmas.clear();
    const std::string etiqueta = "diafragma:";
    const int registros = ctx.lector.getNoEtiquetas(etiqueta);
    if (registros == 0) return;
    const double tolerancia = 1e-9 * medidaModelo();
    // Diafragma (desde 1) de cada nudo, 0 si no está en ninguno.
    std::vector<int> deNudo(nudo.size(), 0);
    // Un diafragma imposible no se arma a medias: el modelo no se analiza.
    const auto impedir = [](const std::string& texto) {
        mensajes.error(texto);
        analisisImpedido = true;
    };
    for (int k = 1; k <= registros; ++k) {
        const std::vector<double> v = ctx.lector.getMatrizEtiquetaRepetida(etiqueta, k, 0);
        if (!registroCompleto(etiqueta, k, v, 0, "nudo")) continue;
        diafragma d;
        d.numero = k;
        for (double numero : v) {
            const int i = nudoDeLista(numero, etiqueta);
            if (i < 0) continue;
            const size_t j = static_cast<size_t>(i);
            if (deNudo[j] == k) continue;  // repetido en el mismo registro
            const std::string nombre = std::to_string(nudo[j].getNoNudoUsuario());
            if (deNudo[j] != 0) {
                impedir("Error: el nudo " + nombre + " está en los diafragmas " + std::to_string(deNudo[j]) + " y " +
                        std::to_string(k));
                continue;
            }
            deNudo[j] = k;
            d.nudos.push_back(i);
        }
        if (d.nudos.empty()) continue;
        const objNudo3d& primero = nudo[static_cast<size_t>(d.nudos[0])];
        bool horizontal = true;
        for (int i : d.nudos) {
            const objNudo3d& n = nudo[static_cast<size_t>(i)];
            if (!(std::fabs(n.getZ() - primero.getZ()) <= tolerancia)) {
                impedir("Error: el diafragma " + std::to_string(k) + " no es horizontal (nudo " +
                        std::to_string(n.getNoNudoUsuario()) + ")");
                horizontal = false;
                break;
            }
        }
        // Ux, Uy y Gz de sus nudos son del diafragma: ni apoyos, ni resortes,
        // ni desplazamientos impuestos en ellos. Una línea por nudo y clase.
        for (int i : d.nudos) {
            const objNudo3d& n = nudo[static_cast<size_t>(i)];
            const Eigen::VectorXi apoyo = n.getVectorApoyo();
            const Eigen::Matrix<double, 6, 1> resorte = n.getResorte();
            std::vector<std::string> clases[3];
            for (int g : {0, 1, 5}) {
                if (apoyo(g) != 0)
                    clases[0].push_back(kNombresGdlNudo[g]);
                else if (resorte(g) > 0)
                    clases[1].push_back(kNombresGdlNudo[g]);
                else if (n.tieneDesplazamientoImpuesto(g))
                    clases[2].push_back(kNombresGdlNudo[g]);
            }
            const char* const nombres[3] = {"apoyo", "resorte", "desplazamiento impuesto"};
            for (int c = 0; c < 3; ++c) {
                if (clases[c].empty()) continue;
                std::string lista;
                for (size_t j = 0; j < clases[c].size(); ++j)
                    lista += (j == 0 ? "" : j + 1 == clases[c].size() ? " y " : ", ") + clases[c][j];
                impedir("Error: el nudo " + std::to_string(n.getNoNudoUsuario()) + " del diafragma " +
                        std::to_string(k) + " tiene " + nombres[c] + " en " + lista +
                        ", que el diafragma mueve con su plano; el modelo no se analiza");
            }
        }
        if (!horizontal) continue;
        double z = 0;
        for (int i : d.nudos) {
            const objNudo3d& n = nudo[static_cast<size_t>(i)];
            d.xc += n.getX(), d.yc += n.getY(), z += n.getZ();
        }
        const double cantidad = static_cast<double>(d.nudos.size());
        d.xc /= cantidad, d.yc /= cantidad, d.z = z / cantidad;
        diafragmas.push_back(std::move(d));
    }
    mensajes.progreso("lectura de diafragmas OK Num Diafragmas = " + std::to_string(diafragmas.size()));
}
