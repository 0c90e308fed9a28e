// 実戦データ: the history entered as the counter shows it, its setting
// estimate against the hall's prior with how soon it may change, and its
// link, export and import. Every check of what is typed is the core's.
import { fillTable } from './table.js';
import { historyFromFragment, linkFor } from './history.js';

const $ = (id) => document.getElementById(id);

const SETTINGS = [1, 2, 3, 4, 5, 6];
const PAD_KEYS = ['7', '8', '9', '4', '5', '6', '1', '2', '3', 'C', '0', '⌫'];
// The forecast waits for the taps to settle before it starts.
const FORECAST_DELAY_MS = 400;

function say(id, text) {
  $(id).textContent = text ?? '';
}

function buildPad(input, onEdit) {
  const pad = $('pad');
  for (const key of PAD_KEYS) {
    const button = document.createElement('button');
    button.type = 'button';
    button.textContent = key;
    button.dataset.key = key;
    if (key === 'C') button.setAttribute('aria-label', 'G数を消す');
    if (key === '⌫') button.setAttribute('aria-label', '1文字消す');
    pad.append(button);
  }
  pad.addEventListener('click', (event) => {
    const key = event.target.closest('button')?.dataset.key;
    if (!key) return;
    if (key === 'C') input.value = '';
    else if (key === '⌫') input.value = input.value.slice(0, -1);
    else input.value = input.value === '0' ? key : input.value + key;
    onEdit();
  });
}

// One row per setting: the prior as a grey bar, the estimate as a blue one,
// and the estimate in an element p1 .. p6 whose data-value holds every digit.
function buildPosterior() {
  const box = $('posterior');
  for (const s of SETTINGS) {
    const row = document.createElement('div');
    row.className = 'setting-row';
    row.innerHTML =
      `<span class="setting">設定${s}</span>` +
      `<span class="track"><span class="bar prior" id="prior${s}-bar"></span>` +
      `<span class="bar post" id="p${s}-bar"></span></span>` +
      `<span class="pct" id="p${s}" data-value="">–</span>`;
    box.append(row);
  }
}

function showPosterior(settings) {
  for (const s of SETTINGS) {
    const entry = settings?.find((e) => Number(e.setting) === s);
    const value = entry ? entry.probability : '';
    const element = $(`p${s}`);
    element.dataset.value = value;
    element.textContent = entry ? `${(Number(value) * 100).toFixed(1)}%` : '–';
    $(`p${s}-bar`).style.width = entry ? `${Number(value) * 100}%` : '0';
    $(`prior${s}-bar`).style.width = entry ? `${Number(entry.prior) * 100}%` : '0';
  }
}

function renderList(history) {
  const list = $('history-list');
  const items = history.bonuses.map((bonus, i) => {
    const item = document.createElement('li');
    item.className = bonus.kind === 'BIG' ? 'big' : 'reg';
    item.innerHTML = `<span class="n">${i + 1}</span><span class="kind">${bonus.kind}</span><span class="g">${bonus.games}G</span>`;
    return item;
  });
  if (history.open !== null) {
    const item = document.createElement('li');
    item.className = 'open';
    item.innerHTML = `<span class="n"></span><span class="kind">現在</span><span class="g">${history.open}G</span>`;
    items.push(item);
  }
  list.replaceChildren(...items);
  list.scrollTop = list.scrollHeight;
  $('history-start').checked = history.start;
}

function download(name, text) {
  const url = URL.createObjectURL(new Blob([text], { type: 'text/plain;charset=utf-8' }));
  const link = document.createElement('a');
  link.href = url;
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 1000);
}

// A function that asks `op` and hands the answer to `show`; answers to
// older questions that arrive late are dropped, failures go to `failed`.
export function latest(core, op, show, failed) {
  let asked = 0;
  return (args) => {
    const ticket = ++asked;
    return core.call(op, args).then(
      (answer) => ticket === asked && show(answer),
      (error) => ticket === asked && failed(error),
    );
  };
}

// How sure, how soon: on a worker of its own, since it draws for about a
// second; a newer history stops the one under way.
function setupForecast(forecaster) {
  let timer = null;
  let asked = 0;
  const show = (answer) => {
    if (answer.errors) return say('forecast-message', '');
    fillTable($('forecast-table'), answer.rows);
    say('forecast-message', `予測回数 ${answer.draws}・seed ${answer.seed}`);
  };
  return (bonuses, text, prior) => {
    const ticket = ++asked;
    clearTimeout(timer);
    $('forecast-table').replaceChildren();
    if (!bonuses) return say('forecast-message', '');
    say('forecast-message', '計算中…');
    timer = setTimeout(() => {
      const core = forecaster();
      if (core.busy()) core.restart();
      core.call('forecast', { history: text, prior }).then(
        (answer) => ticket === asked && show(answer),
        (error) => ticket === asked && !error.cancelled && say('forecast-message', '計算できませんでした。'),
      );
    }, FORECAST_DELAY_MS);
  };
}

export function setupHistoryView({ core, model, forecaster }) {
  const input = $('games-input');
  const prior = $('prior-input');
  buildPosterior();

  const checkBox = latest(
    core,
    'gamesBoxProblem',
    (problem) => say('games-message', problem),
    () => {},
  );
  const checkTyping = () => checkBox({ typed: input.value });
  buildPad(input, checkTyping);
  input.addEventListener('input', checkTyping);

  // The box is emptied at once, so the next games can be typed while the
  // core answers; what it refused comes back to the box with the reason.
  const tap = async (action) => {
    const typed = input.value;
    input.value = '';
    say('games-message', '');
    const problem = await model.edit(action, typed).catch(() => '計算部が応答しません。もう一度どうぞ。');
    if (problem === null) return;
    say('games-message', problem);
    if (input.value === '') input.value = typed;
    input.focus();
  };
  $('add-big').addEventListener('click', () => tap('BIG'));
  $('add-reg').addEventListener('click', () => tap('REG'));
  $('set-open').addEventListener('click', () => tap('-'));
  $('undo').addEventListener('click', () => model.undo());
  $('history-start').addEventListener('change', (event) => model.edit(event.target.checked ? 'start' : 'midway'));

  const forecast = setupForecast(forecaster);
  const askEstimate = latest(
    core,
    'estimate',
    (answer) => {
      say('prior-message', answer.errors?.prior);
      if (answer.errors) {
        showPosterior(null);
        say('posterior-note', answer.errors.history);
        return;
      }
      showPosterior(answer.settings);
      say('posterior-note', answer.note);
    },
    () => say('posterior-message', '計算できませんでした。もう一度操作してください。'),
  );
  const estimate = () => {
    const history = model.current.history;
    const empty = !history.bonuses.length;
    say('posterior-message', empty ? '当りを1回以上入れると、設定ごとの確率が出ます。' : '');
    if (empty) {
      showPosterior(null);
      say('posterior-note', '');
    } else {
      askEstimate({ history: model.text, prior: prior.value });
    }
    forecast(history.bonuses.length, model.text, prior.value);
  };
  prior.addEventListener('input', estimate);

  model.onChange((history) => {
    say('history-message', '');
    renderList(history);
    $('undo').disabled = !model.canUndo();
    estimate();
  });

  $('share').addEventListener('click', async () => {
    if (!model.text) return say('share-message', '履歴が空です。');
    const url = linkFor(location, model.text);
    try {
      if (navigator.share) {
        await navigator.share({ title: 'Sorimu 実戦データ', url });
        return say('share-message', '');
      }
      await navigator.clipboard.writeText(url);
      say('share-message', 'リンクをコピーしました。');
    } catch {
      say('share-message', url);
    }
  });
  $('export').addEventListener('click', () => {
    download('sorimu-history.txt', model.text);
    say('share-message', 'sorimu-history.txt に書き出しました。');
  });
  $('clear').addEventListener('click', () => {
    model.clear();
    say('share-message', '全消去しました（取消で元に戻せます）。');
  });

  const importBox = (text) => {
    $('import-box').hidden = false;
    if (text !== undefined) $('import-text').value = text;
  };
  $('import-open').addEventListener('click', () => {
    const box = $('import-box');
    box.hidden = !box.hidden;
    if (!box.hidden) $('import-text').focus();
  });
  $('import-file').addEventListener('change', async (event) => {
    const file = event.target.files[0];
    if (file) $('import-text').value = await file.text();
  });
  $('import-apply').addEventListener('click', async () => {
    const text = $('import-text').value;
    if (!text.trim()) return say('import-message', '履歴のテキストを入れてください。');
    say('import-message', '読み込み中…');
    const problem = await model.read(text).catch(() => ({ error: '読み込めませんでした。' }));
    if (problem) return say('import-message', problem.error);
    say('import-message', '');
    say('share-message', `${model.current.history.bonuses.length}回分の当りを読み込みました。`);
    $('import-box').hidden = true;
  });

  // What the device kept, then what a link brought, which undo can take back.
  // A kept text the core cannot read stays kept, and is offered for mending.
  const restore = async () => {
    const stored = model.storedText();
    const problem = stored ? await model.read(stored, { start: true }) : null;
    if (problem) {
      say('history-message', `保存されていた履歴を読めませんでした。${problem.error}`);
      importBox(stored);
    }
    await openLink();
  };
  const openLink = async () => {
    const text = historyFromFragment(location.hash);
    if (text === null) return;
    // The history stays out of the address bar, which browsers keep and sync.
    window.history.replaceState(null, '', location.pathname + location.search);
    const problem = await model.read(text);
    if (problem) say('history-message', `リンクの履歴を読めませんでした。${problem.error}`);
  };
  window.addEventListener('hashchange', openLink);
  restore().catch(() => say('history-message', '計算部を読み込めませんでした。再読み込みしてください。'));
  estimate();

  return {};
}
