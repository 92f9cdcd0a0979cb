// Twips, fonts and colours as the desktop's page builder takes them.
export const twips_pro_pixel = 15;
export const px = (twips) => Math.trunc(twips / twips_pro_pixel);
export const pixel = (r) => ({ x: px(r[0]), y: px(r[1]), w: px(r[2]), h: px(r[3]) });

// Liberation Sans, cut down to what the pages write and so named "Regler Sans" as its licence
// asks of a modified version, stands in for "MS Sans Serif" and "Arial", as on the desktop; at
// the pixel size the desktop sets (regler-json writes it).
export const css_schrift = (s) => `${s.fett ? 'bold ' : ''}${s.px}px "Regler Sans"`;

export const farbe = (f) => `rgb(${f[0]},${f[1]},${f[2]})`;
