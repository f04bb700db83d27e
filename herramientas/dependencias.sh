#!/usr/bin/env bash
# Instala con apt-get los paquetes de Debian que falten para compilar y probar.
# Los argumentos, si los hay, son paquetes que se agregan a la lista
# (herramientas/fuzz.sh agrega clang y su biblioteca de ejecución).
# Si no falta ninguno no se llama al gestor de paquetes; si faltan, se
# nombran y apt-get muestra lo que descarga e instala.
set -euo pipefail
paquetes=(cmake g++ make libeigen3-dev freeglut3-dev libglu1-mesa-dev libx11-dev libgtest-dev
          xvfb xdotool imagemagick x11-utils libgl1-mesa-dri chromium poppler-utils
          libsuitesparse-dev libmetis-dev libopenblas-dev libspectra-dev libpng-dev "$@")
faltan=()
for p in "${paquetes[@]}"; do
  # Instalado de verdad: un paquete quitado que dejó su configuración también
  # figura en dpkg, con otro estado.
  [ "$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null)" = installed ] || faltan+=("$p")
done
if [ ${#faltan[@]} -gt 0 ]; then
  echo "Faltan paquetes de Debian; se instalan con apt-get: ${faltan[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y "${faltan[@]}"
fi
