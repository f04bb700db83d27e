// Los textos de cada dibujo SVG que se tapan: la caja (getBBox) de cada
// <text> contra la de los demás del mismo dibujo; dos cajas se tocan si se
// cubren más de medio píxel en cada eje. Escribe "solapes N" y unos ejemplos
// en un <pre id="solapes"> al final del documento.
{
    let total = 0;
    const ejemplos = [];
    document.querySelectorAll("svg").forEach((svg, k) => {
        const c = [...svg.querySelectorAll("text")].map(t => [t.getBBox(), t.textContent]);
        for (let i = 0; i < c.length; ++i)
            for (let j = i + 1; j < c.length; ++j) {
                const a = c[i][0], b = c[j][0];
                if (a.x + a.width - 0.5 > b.x && b.x + b.width - 0.5 > a.x &&
                    a.y + a.height - 0.5 > b.y && b.y + b.height - 0.5 > a.y) {
                    ++total;
                    if (ejemplos.length < 4) ejemplos.push("dibujo " + k + ": " + c[i][1] + " / " + c[j][1]);
                }
            }
    });
    const p = document.createElement("pre");
    p.id = "solapes";
    p.textContent = "solapes " + total + " " + ejemplos.join("; ");
    document.body.appendChild(p);
}
