#!/usr/bin/env bash
# Las carpetas del visor van una sobre otra: escena, capas, interaccion y
# plataforma. Ningún archivo incluye uno de una carpeta de encima, y no hay
# dos módulos (un .h con su .cpp) que se incluyan uno al otro, ni directamente
# ni a través de otros. Lee sólo las líneas #include "visor/...".
#   bash capasVisor.sh <fuentes>
set -u
fuentes=${1:?falta la carpeta de fuentes}
cd "$fuentes" || exit 1
[ -d visor/escena ] || { echo "FALLO: no hay visor/ en $fuentes"; exit 1; }
carpetas=(escena capas interaccion plataforma)
fallas=0

for ((i = 0; i < ${#carpetas[@]}; i++)); do
    for ((j = i + 1; j < ${#carpetas[@]}; j++)); do
        arriba=$(grep -rn --include='*.h' --include='*.cpp' "^#include \"visor/${carpetas[j]}/" "visor/${carpetas[i]}")
        if [ -n "$arriba" ]; then
            echo "FALLO: visor/${carpetas[i]}/ incluye de visor/${carpetas[j]}/, que está encima:"
            echo "$arriba"
            fallas=1
        fi
    done
done

# Un par "incluido incluyente" por inclusión entre módulos distintos (el
# nombre sin extensión); tsort nombra los módulos de un ciclo si lo hay.
pares=$(grep -rHo --include='*.h' --include='*.cpp' '^#include "visor/[^"]*\.h"' visor |
    sed -E 's#^(.*)\.(h|cpp):\#include "(.*)\.h"$#\3 \1#' | awk '$1 != $2')
[ -n "$pares" ] || { echo "FALLO: no se leyó ninguna inclusión"; exit 1; }
if ! ciclo=$(printf '%s\n' "$pares" | tsort 2>&1 >/dev/null) || [ -n "$ciclo" ]; then
    echo "FALLO: inclusiones en ciclo:"
    echo "$ciclo"
    fallas=1
fi
exit $fallas
