// ハマリ・天井 and やめ時: the hall's questions about one machine, asked of
// the core with the history entered on 実戦データ and the hall's prior, so
// their mix column weighs the settings as the estimate does.
import { settingChart } from './charts.js';
import { latest } from './history-view.js';
import { fillTable, segmented } from './table.js';

const $ = (id) => document.getElementById(id);

// An answer's table, its every digit and its chart, or its problem.
function shower({ prefix, chart, chartOptions }) {
  let drawn = null;
  return {
    show(answer) {
      if (answer.errors) {
        $(`${prefix}-games-message`)?.replaceChildren(answer.errors.since ?? '');
        $(`${prefix}-message`).textContent = answer.errors.history ?? answer.errors.prior ?? '';
        return;
      }
      $(`${prefix}-games-message`)?.replaceChildren();
      $(`${prefix}-message`).textContent = '';
      $(`${prefix}-caption`).textContent = answer.caption;
      fillTable($(`${prefix}-table`), answer.rows);
      $(`${prefix}-tsv`).textContent = answer.tsv;
      drawn?.destroy();
      drawn = settingChart($(chart), answer.settings, {
        ...chartOptions,
        log: false,
        mix: answer.mix,
        mixLabel: answer.mixCaption,
      });
    },
    failed: () => ($(`${prefix}-message`).textContent = '計算できませんでした。もう一度操作してください。'),
    resize: () => drawn?.plot.setSize({ width: $(chart).clientWidth, height: drawn.plot.height }),
  };
}

function setupHamari(core, model) {
  const games = $('hamari-games');
  const view = shower({ prefix: 'hamari', chart: 'hamari-chart', chartOptions: { from: 0, label: '現在のG数' } });
  const ask = latest(core, 'hamari', view.show, view.failed);
  const update = () =>
    ask({
      history: model.text,
      prior: $('prior-input').value,
      since: games.value,
      after: afterOf(),
      rate: Number($('hamari-rate').value),
    });
  const afterOf = segmented($('hamari-after'), update);
  games.addEventListener('input', update);
  $('hamari-rate').addEventListener('change', update);
  // The rates the core prices medals at, each named with its yen per medal.
  core.call('exchangeRates').then((captions) => {
    $('hamari-rate').replaceChildren(...captions.map((caption, i) => new Option(caption, String(i))));
  });
  return {
    // The games since the last bonus, as the history has them.
    shown: () => {
      const { open } = model.current.history;
      if (open !== null) games.value = String(open);
      update();
      view.resize();
    },
  };
}

function setupQuit(core, model) {
  const view = shower({ prefix: 'quit', chart: 'quit-chart', chartOptions: { from: 0, first: 1, label: 'やめるまでのG数' } });
  // The best k first, as its header and the table's last row.
  const show = (answer) => {
    view.show(answer);
    if (!answer.errors) fillTable($('quit-best'), [answer.rows[0], answer.rows[answer.rows.length - 1]]);
  };
  const ask = latest(core, 'quitCurve', show, view.failed);
  const update = () => ask({ history: model.text, prior: $('prior-input').value, after: afterOf() });
  const afterOf = segmented($('quit-after'), update);
  return {
    shown: () => {
      update();
      view.resize();
    },
  };
}

export function setupHallViews({ core, model }) {
  return { 'tab-hamari': setupHamari(core, model), 'tab-quit': setupQuit(core, model) };
}
