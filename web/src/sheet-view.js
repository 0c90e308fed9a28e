// スペック表: the figure sheet of the six settings, the spread of their
// balance and the chance of a dry stretch, worked out by the core when the
// tab is first shown.
import { settingChart } from './charts.js';
import { fillTable, segmented } from './table.js';

const $ = (id) => document.getElementById(id);

// As far as the window's plot reaches: past 1490 games no RT is left, so
// the curves between bonuses end there.
const TAIL_GAMES = 1600;

export function setupSheetView({ core }) {
  let curves = null;
  let chart = null;
  const draw = (kind) => {
    chart?.destroy();
    chart = settingChart($('tail-chart'), curves[kind]);
  };
  const kindOf = segmented($('tail-kind'), (kind) => curves && draw(kind));

  let started = false;
  const shown = () => {
    if (started) {
      chart?.plot.setSize({ width: $('tail-chart').clientWidth, height: chart.plot.height });
      return;
    }
    started = true;
    $('sheet-message').textContent = '計算中…';
    const stopped = () => {
      started = false;
      $('sheet-message').textContent = '計算が中断されました。タブを開き直してください。';
    };
    core.call('specSheet').then((sheet) => {
      fillTable($('sheet-table'), sheet.rows);
      $('volatility-caption').textContent = sheet.volatilityCaption;
      fillTable($('volatility-table'), sheet.volatilityRows);
      $('sheet-tsv').textContent = sheet.tsv;
      $('sheet-message').textContent = '';
    }, stopped);
    core.call('dryStretchCurves', { maxGames: TAIL_GAMES }).then((answer) => {
      curves = answer;
      draw(kindOf());
    }, stopped);
  };
  return { shown };
}
