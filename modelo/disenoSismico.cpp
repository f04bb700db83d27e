#include "modelo/disenoSismico.h"

disenoSismico diseno;

void vaciarDisenoSismico() { diseno = disenoSismico(); }
