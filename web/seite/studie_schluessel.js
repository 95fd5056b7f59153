// The key words of the study's plot, a conclusion the page draws from the
// study's figures: why a column that does not converge leaves the plot
// ("Rundung" or "divergiert") and whether its figures are cut at the
// ceiling ("gekappt").  All of it is here, so that the study's own
// conclusions can take its place in one step.

// The key of a column in the plot: its title, and for a column that does
// not converge why its figures leave the plot.  Figures on the ceiling
// that all carry the rounding mark are rounding of the Newton form, not
// divergence of the method: "Rundung"; otherwise "divergiert".
export function studienSchluessel(sp, decke) {
  if (sp.konvergiert) return sp.titel;
  const gekappt = sp.fehler.map((e, k) => k).filter((k) => sp.zellen[k] !== '-' && !(sp.fehler[k] <= decke));
  const rundung = sp.rundung.some((r) => r) && gekappt.every((k) => sp.rundung[k]);
  const warum = rundung ? 'Rundung' : 'divergiert';
  return gekappt.length > 0 ? `${sp.titel} (${warum}; gekappt)` : `${sp.titel} (${warum})`;
}
