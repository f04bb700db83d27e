#include "modelo/limiteFlecha.h"

std::vector<limiteFlecha> limitesFlecha;
