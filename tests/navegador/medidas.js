// Medidas del informe armado por el navegador, escritas en un
// <pre id="medidas"> al final del documento: "solapes N anchos M" y unos
// ejemplos.
// - solapes: pares de textos de un mismo dibujo SVG que se tapan, con la caja
//   (getBBox) de cada <text>; dos cajas se tocan si se cubren más de medio
//   píxel en cada eje.
// - anchos: tablas y dibujos que pasan el borde derecho del cuerpo (el ancho
//   de la página impresa: el navegador corta lo que lo pasa).
// - indice: entradas del índice que no llevan a un capítulo con su mismo
//   título, o capítulos sin entrada (0 si el índice es la lista de los
//   capítulos, en su orden).
{
    let solapes = 0, anchos = 0;
    const ejemplos = [];
    document.querySelectorAll("svg").forEach((svg, k) => {
        const c = [...svg.querySelectorAll("text")].map(t => [t.getBBox(), t.textContent]);
        for (let i = 0; i < c.length; ++i)
            for (let j = i + 1; j < c.length; ++j) {
                const a = c[i][0], b = c[j][0];
                if (a.x + a.width - 0.5 > b.x && b.x + b.width - 0.5 > a.x &&
                    a.y + a.height - 0.5 > b.y && b.y + b.height - 0.5 > a.y) {
                    ++solapes;
                    if (ejemplos.length < 4) ejemplos.push("dibujo " + k + ": " + c[i][1] + " / " + c[j][1]);
                }
            }
    });
    const cuerpo = document.body.getBoundingClientRect();
    const borde = cuerpo.right - parseFloat(getComputedStyle(document.body).paddingRight);
    document.querySelectorAll("table, figure svg").forEach(e => {
        const derecha = e.getBoundingClientRect().right;
        if (derecha > borde + 0.5) {
            ++anchos;
            if (ejemplos.length < 8) ejemplos.push(e.tagName + " hasta " + derecha.toFixed(1) + " de " + borde.toFixed(1));
        }
    });
    const entradas = [...document.querySelectorAll("nav.indice a")].map(a => [a.getAttribute("href"), a.textContent]);
    const capitulos = [...document.querySelectorAll("section[id^='capitulo-']")].map(
        s => ["#" + s.id, (s.querySelector("h2") || {}).textContent]);
    let indice = Math.abs(entradas.length - capitulos.length) + (capitulos.length === 0 ? 1 : 0);
    entradas.forEach((e, i) => {
        const c = capitulos[i];
        if (c && (e[0] !== c[0] || e[1] !== c[1])) {
            ++indice;
            if (ejemplos.length < 10) ejemplos.push("índice " + e[1] + " / capítulo " + c[1]);
        }
    });
    const p = document.createElement("pre");
    p.id = "medidas";
    p.textContent = "solapes " + solapes + " anchos " + anchos + " indice " + indice + " " + ejemplos.join("; ");
    document.body.appendChild(p);
}
