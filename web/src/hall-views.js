// ハマリ・天井 and やめ時: the hall's questions about one machine, asked of
// the core with the history entered on 実戦データ, so its estimate mixes
// the settings.
import { settingChart } from './charts.js';
import { readGames } from './history-text.js';
import { fillTable, segmented } from './table.js';

const $ = (id) => document.getElementById(id);

const PENDING = 'この表は、計算部の次の版で表示されます。';
// The やめ時 curve covers the first 200 normal games after a bonus.
const QUIT_GAMES = 200;

// A function that asks `op` of the core and shows the answer; answers to
// older questions that arrive late are dropped.
function asker(core, op, show, message) {
  let asked = 0;
  return (args) => {
    const ticket = ++asked;
    core.call(op, args).then(
      (answer) => {
        if (ticket !== asked) return;
        if (answer.pending) return (message.textContent = PENDING);
        message.textContent = '';
        show(answer);
      },
      () => ticket === asked && (message.textContent = '計算できませんでした。もう一度操作してください。'),
    );
  };
}

function setupHamari(core, model) {
  const games = $('hamari-games');
  const ask = asker(core, 'hamari', (answer) => fillTable($('hamari-table'), [answer.columns, ...answer.rows]), $('hamari-message'));
  const update = () => {
    const read = readGames(games.value);
    $('hamari-games-message').textContent = read.error ?? '';
    if (read.error) return;
    ask({ since: read.games, after: afterOf(), history: model.text, prior: $('prior-input').value, rate: $('hamari-rate').value });
  };
  const afterOf = segmented($('hamari-after'), update);
  games.addEventListener('input', update);
  $('hamari-rate').addEventListener('change', update);
  // The games since the last bonus and its kind, as the history has them.
  const follow = () => {
    const { bonuses, open } = model.current;
    if (open !== null) games.value = String(open);
    const last = bonuses[bonuses.length - 1];
    if (last) $('hamari-after').querySelector(`[data-value=${last.kind}]`).click();
  };
  return { shown: () => (follow(), update()) };
}

function setupQuit(core, model) {
  const games = $('quit-games');
  let chart = null;
  const ask = asker(
    core,
    'quitCurve',
    (answer) => {
      chart?.destroy();
      chart = settingChart($('quit-chart'), answer.balance, { label: 'やめるまでのG数', log: false });
      fillTable($('quit-table'), [answer.columns, ...answer.rows]);
    },
    $('quit-message'),
  );
  const update = () => {
    const read = readGames(games.value);
    const error = read.error ?? (read.games < 1 || read.games > QUIT_GAMES ? `G数は1～${QUIT_GAMES}で入力してください。` : '');
    $('quit-games-message').textContent = error;
    if (!error) ask({ after: afterOf(), games: read.games, history: model.text, prior: $('prior-input').value });
  };
  const afterOf = segmented($('quit-after'), update);
  games.addEventListener('input', update);
  return { shown: update };
}

export function setupHallViews({ core, model }) {
  return { 'tab-hamari': setupHamari(core, model), 'tab-quit': setupQuit(core, model) };
}
