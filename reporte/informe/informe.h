// El informe de cálculo: CARPETA/informe.html, un documento HTML que se
// entrega con el proyecto (modelo, cargas, resultados y sus comprobaciones,
// con dibujos), escrito como resultados.txt: en un archivo temporal que
// reemplaza al anterior sólo cuando está completo.
#pragma once

#include <string>

// El documento entero (fechaYHora va en el título).
std::string textoInforme(const std::string& fechaYHora);
// Escribe CARPETA/informe.html (la carpeta se crea si no existe). Falso, con
// el error en la lista de mensajes, si no se pudo.
bool escribirInforme(const std::string& carpeta);
