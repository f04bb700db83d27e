// Medidas del informe armado por el navegador, escritas en un
// <pre id="medidas"> al final del documento: "solapes N anchos M" y unos
// ejemplos.
// - solapes: pares de textos de un mismo dibujo SVG que se tapan, con la caja
//   (getBBox) de cada <text>; dos cajas se tocan si se cubren más de medio
//   píxel en cada eje.
// - anchos: tablas y dibujos que pasan el borde derecho del cuerpo (el ancho
//   de la página impresa: el navegador corta lo que lo pasa).
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
    const p = document.createElement("pre");
    p.id = "medidas";
    p.textContent = "solapes " + solapes + " anchos " + anchos + " " + ejemplos.join("; ");
    document.body.appendChild(p);
}
