// Los datos del proyecto que el modelo da para el bloque de título del
// informe (proyecto:, cliente:, ingeniero:, norma:, fecha:): textos libres,
// vacíos si el archivo no los da.
#pragma once

#include <string>

struct datosProyecto {
    std::string proyecto, cliente, ingeniero, norma, fecha;
    bool vacio() const { return proyecto.empty() && cliente.empty() && ingeniero.empty() && norma.empty() && fecha.empty(); }
};
extern datosProyecto proyecto;
