// Hilos de las operaciones densas de la factorización (la biblioteca BLAS que
// usa CHOLMOD). Los hilos de OpenBLAS esperan girando: si otro proceso ocupa un
// núcleo, un segundo hilo compite con él y la factorización tarda dos o tres
// veces más que con uno solo. Antes de factorizar se cuentan los núcleos que
// no ocupa otro proceso y se usan sólo ésos.
#pragma once

// Núcleos que este proceso puede usar y que ningún otro proceso ocupa ahora
// (al menos uno).
int nucleosLibres();

// Da a la biblioteca BLAS tantos hilos como núcleos libres, si la biblioteca
// permite elegirlos (OpenBLAS) y nadie los fijó con OPENBLAS_NUM_THREADS u
// OMP_NUM_THREADS. Devuelve los hilos elegidos (0 si no se eligió nada).
int elegirHilosBlas();
