#!/usr/bin/env bash
# Órdenes de un renglón en una ventana real bajo Xvfb, con el modelo de
# ejemplo: "combo NOMBRE" enciende y apaga la combinación como "combo" y el
# nombre en dos renglones; "aislar N N" deja a la vista lo mismo que "aislar" y
# la lista en dos renglones, y "aislar" por rango, plano, piso o sección deja
# exactamente las barras que nombra. Con la salida en un archivo,
# la consola no recibe secuencias de control. Cada imagen se toma cuando
# vantra3d ya atendió lo enviado (ver, en lib/comun.sh). Al final Escape
# termina con estado 0.
#   bash ordenes.sh <vantra3d> <carpeta de ejemplos> <carpeta de trabajo>
# Sale con 77 (omitida) sólo si Xvfb no puede arrancar.
set -u
source "$(dirname "$0")/lib/comun.sh"
preparar "$@"
abrir_ejemplo ingresoDatos.txt

barras() { contar "$1" 0 0 999 799 "$gris"; }
# Botones de las combinaciones (ventana de 1000 x 800): ELU de y 35 a 47, SERV de 50 a 62.
# Fondo apagado (0.1, 0.1, 0), encendido (0.3, 0.3, 0).
boton() { color_en "$1" 990 "$2"; }
apagado="26 26 0" encendido="76 76 0"
elu=41 serv=56

# ---- La consola en un archivo: sin secuencias de control ----
if grep -q $'\033' app.log; then falla "la salida en un archivo recibió secuencias de control de la terminal"; fi

# ---- combo NOMBRE en un renglón, como en dos ----
ver inicio.png
todas=$(barras inicio.png)
orden "combo SERV"
ver serv.png
color_cercano "$(boton serv.png $serv)" "$encendido" 4 || falla "combo SERV no encendió SERV ($(boton serv.png $serv))"
color_cercano "$(boton serv.png $elu)" "$apagado" 4 || falla "combo SERV tocó ELU"
orden "combo SERV"
ver serv2.png
color_cercano "$(boton serv2.png $serv)" "$apagado" 4 || falla "combo SERV otra vez no apagó SERV"
orden combo
orden ELU
ver elu.png
color_cercano "$(boton elu.png $elu)" "$encendido" 4 || falla "combo y ELU en dos renglones no encendieron ELU"

# ---- aislar N N en un renglón deja lo mismo que en dos ----
orden "aislar 1 2"
ver aislar1.png
aisladas=$(barras aislar1.png)
echo "barras a la vista: todas $todas, aisladas $aisladas"
[ "$aisladas" -gt 0 ] && [ $((aisladas * 2)) -lt "$todas" ] || falla "aislar 1 2 no dejó sólo dos barras"
orden noAislar
ver todas.png
[ "$(barras todas.png)" -eq "$todas" ] || falla "noAislar no volvió a mostrar todas las barras"
orden aislar
orden "1 2"
ver aislar2.png
[ "$(distintos_salvo_respuesta aislar1.png aislar2.png)" -eq 0 ] ||
    falla "aislar en dos renglones no deja lo mismo que en uno"
orden noAislar

# ---- aislar por rango, plano, piso y sección deja a la vista exactamente las
# barras que nombra: lo mismo que su lista (del modelo: x=6 son los nudos 2 4
# 6 8, y=0 los 1 2 5 6 9, z=3 el techo; W310 las barras 3 y 4) ----
for par in "1-2|1 2" "x=6|2 4 9" "y=0.0|1 2 5 6" "z=3|5 6 7 8 9 10" "seccion W310|3 4" "piso 1 x=0|1 2 3 4 5 6 7 8 9 10"; do
    criterio=${par%%|*} lista=${par#*|}
    orden "aislar $criterio"
    ver criterio.png
    orden "aislar $lista"
    ver lista.png
    n=$(barras criterio.png)
    [ "$n" -gt 0 ] && [ "$(distintos_salvo_respuesta criterio.png lista.png)" -eq 0 ] ||
        falla "aislar $criterio no deja a la vista las barras $lista ($n píxeles de barra)"
done
orden noAislar

salir_con_escape
sin_informes_de_sanitizadores
[ "$fallos" -eq 0 ] || fallar "$fallos comprobaciones fallaron; capturas en $trabajo"
echo "Órdenes de un renglón y consola sin secuencias de control: bien"
