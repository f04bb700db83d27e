// Genera un edificio aporticado regular en el formato de archivo de modelo:
// NX x NY vanos de 5 m, NZ pisos de 3 m, base empotrada, columnas y vigas con
// sección, un caso gravitatorio con peso propio, un caso lateral y tres
// combinaciones; con diafragmas, un diafragma rígido por piso.
#pragma once

#include <string>

std::string generarEdificio(int nx, int ny, int nz, bool conDiafragmas = false);
