#include "modelo/proyecto.h"

datosProyecto proyecto;
