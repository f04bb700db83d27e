// Primitivas de dibujo en la escena 3D: textos y números con la fuente de trazos
// Mono Roman (planos o de frente a la cámara), flechas y arcos.
#pragma once

void drawTextoEscalado(double x, double y, double z, const char* texto, double altura, int alineacion);
void drawNumFloat(double x, double y, double z, double valor, int decimales, double altura, int alineacion);
void drawNumSci(double x, double y, double z, double valor, int decimales, double altura, int alineacion);
void drawTextoEscaladoFacing(double x, double y, double z, const char* texto, double altura, int alineacion);
void drawNumFloatFacing(double x, double y, double z, double valor, int decimales, double altura, int alineacion);
void drawNumSciFacing(double x, double y, double z, double valor, int decimales, double altura, int alineacion);
void drawFlecha(double x1, double y1, double z1, double x2, double y2, double z2, double tamano);
void plotArcoXY(double radio, double anguloInicio, double anguloFin);
