// Boxes, fonts and colours as the page tables give them (boxes in the page's pixels).
export const pixel = (r) => ({ x: r[0], y: r[1], w: r[2], h: r[3] });

// Liberation Sans, cut down to what the pages write and so named "Regler Sans" as its licence
// asks of a modified version, stands in for "MS Sans Serif" and "Arial", as on the desktop; at
// the pixel size the desktop sets (regler-json writes it).
export const css_schrift = (s) => `${s.fett ? 'bold ' : ''}${s.px}px "Regler Sans"`;

export const farbe = (f) => `rgb(${f[0]},${f[1]},${f[2]})`;
