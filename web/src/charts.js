// The page's plots, drawn with uPlot and sized to their box.
import uPlot from 'uplot';

// One colour per setting, 1..6, told apart in colour and in lightness.
export const SETTING_COLOURS = ['#1f77b4', '#2ca02c', '#bcbd22', '#ff7f0e', '#d62728', '#9467bd'];

function widthOf(box) {
  return Math.max(280, Math.floor(box.clientWidth || 320));
}

// A plot in `box` that follows its width; `make(width)` returns the options.
function fitted(box, make, data) {
  box.replaceChildren();
  const plot = new uPlot(make(widthOf(box)), data, box);
  const observer = new ResizeObserver(() => {
    const width = widthOf(box);
    if (width !== plot.width) plot.setSize({ width, height: plot.height });
  });
  observer.observe(box);
  return {
    plot,
    destroy() {
      observer.disconnect();
      plot.destroy();
    },
  };
}

const axisFont = '12px system-ui, sans-serif';

// A tick of a log axis: 0.1 and 0.01 as they are, smaller ones as 1e-5.
const powerOfTen = (tick) => (tick == null ? '' : tick >= 0.01 ? String(tick) : tick.toExponential(0));

// The balance in medals against normal games played, with the games of
// every BIG and REG marked.
export function slumpChart(box, run) {
  // BIG and REG points join the line's x values: each series keeps null
  // where it has no point.
  const xs = new Map();
  const add = (x, y, column) => {
    const row = xs.get(x) ?? [null, null, null];
    row[column] = y;
    xs.set(x, row);
  };
  run.slumpX.forEach((x, i) => add(x, run.slumpY[i], 0));
  run.bigX.forEach((x, i) => add(x, run.bigY[i], 1));
  run.regX.forEach((x, i) => add(x, run.regY[i], 2));
  const sorted = [...xs.keys()].sort((a, b) => a - b);
  const data = [sorted, ...[0, 1, 2].map((c) => sorted.map((x) => xs.get(x)[c]))];
  return fitted(
    box,
    (width) => ({
      width,
      height: Math.round(Math.min(360, Math.max(220, width * 0.6))),
      cursor: { drag: { x: true, y: false } },
      legend: { live: false },
      scales: { x: { time: false } },
      axes: [
        { label: 'G数', font: axisFont, labelFont: axisFont },
        { label: '差枚', font: axisFont, labelFont: axisFont, size: 60 },
      ],
      series: [
        { label: 'G数' },
        { label: '差枚', stroke: '#e00000', width: 1.5, spanGaps: true, points: { show: false } },
        { label: 'BIG', stroke: '#e00000', width: 0, paths: () => null, points: { show: true, size: 7, fill: '#e00000' } },
        { label: 'REG', stroke: '#000000', width: 0, paths: () => null, points: { show: true, size: 7, fill: '#000000' } },
      ],
    }),
    data,
  );
}

// One line per setting against games: `curves` holds one Float64Array per
// setting, entry i for `first` + i games, drawn from entry `from` on; `mix`,
// when given, is one more line (the settings mixed), drawn in black. Chances
// go on a log scale, where a 0 has no place and is left out; NaN (no stretch
// gets there) leaves a gap.
export function settingChart(
  box,
  curves,
  { from = 1, first = 0, label = 'G数', log = true, mix = null, mixLabel = '' } = {},
) {
  const lines = mix ? [...curves, mix] : curves;
  const indices = Array.from({ length: curves[0].length - from }, (_, i) => i + from);
  const kept = (y) => (Number.isNaN(y) || (log && !(y > 0)) ? null : y);
  const data = [indices.map((i) => i + first), ...lines.map((curve) => indices.map((i) => kept(curve[i])))];
  return fitted(
    box,
    (width) => ({
      width,
      height: Math.round(Math.min(360, Math.max(220, width * 0.6))),
      legend: { live: false },
      scales: { x: { time: false }, y: log ? { distr: 3 } : {} },
      axes: [
        { label, font: axisFont, labelFont: axisFont },
        log
          ? { font: axisFont, size: 60, values: (u, ticks) => ticks.map(powerOfTen) }
          : { font: axisFont, size: 60 },
      ],
      series: [
        { label },
        ...curves.map((_, s) => ({
          label: `設定${s + 1}`,
          stroke: SETTING_COLOURS[s],
          width: 1.5,
          points: { show: false },
        })),
        ...(mix ? [{ label: mixLabel, stroke: '#000000', width: 2.5, dash: [6, 3], points: { show: false } }] : []),
      ],
    }),
    data,
  );
}
