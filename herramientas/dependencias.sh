#!/usr/bin/env bash
# Instala con apt-get los paquetes de Debian que falten para compilar y probar.
# Los argumentos, si los hay, son paquetes que se agregan a la lista
# (herramientas/fuzz.sh agrega clang y su biblioteca de ejecución).
set -euo pipefail
paquetes=(cmake g++ make libeigen3-dev freeglut3-dev libglu1-mesa-dev libx11-dev libgtest-dev
          xvfb xdotool imagemagick x11-utils libgl1-mesa-dri
          libsuitesparse-dev libmetis-dev libopenblas-dev libspectra-dev libpng-dev "$@")
faltan=()
for p in "${paquetes[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || faltan+=("$p")
done
if [ ${#faltan[@]} -gt 0 ]; then
  echo "Instalando: ${faltan[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${faltan[@]}" >/dev/null
fi
