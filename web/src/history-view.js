// 実戦データ: the history entered as the counter shows it, its setting
// estimate against the hall's prior, and its link, export and import.
import { historyFromFragment, linkFor } from './history.js';
import { readGames } from './history-text.js';

const $ = (id) => document.getElementById(id);

const SETTINGS = [1, 2, 3, 4, 5, 6];
const PAD_KEYS = ['7', '8', '9', '4', '5', '6', '1', '2', '3', 'C', '0', '⌫'];
const MAX_DIGITS = 5;

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
    else if (input.value.length < MAX_DIGITS) input.value = input.value === '0' ? key : input.value + key;
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
    $(`prior${s}-bar`).style.width = entry?.prior ? `${Number(entry.prior) * 100}%` : '0';
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

export function setupHistoryView({ core, model }) {
  const input = $('games-input');
  const prior = $('prior-input');
  buildPosterior();

  // The games typed so far, or null after saying what is wrong with them.
  const typedGames = () => {
    const read = readGames(input.value);
    say('games-message', read.error);
    return read.error ? null : read.games;
  };
  const checkTyping = () => {
    if (input.value === '') say('games-message', '');
    else typedGames();
  };
  buildPad(input, checkTyping);
  input.addEventListener('input', checkTyping);

  const addBonus = (kind) => {
    const games = typedGames();
    if (games === null) return input.focus();
    say('history-message', model.addBonus(kind, games));
    input.value = '';
  };
  $('add-big').addEventListener('click', () => addBonus('BIG'));
  $('add-reg').addEventListener('click', () => addBonus('REG'));
  $('set-open').addEventListener('click', () => {
    const games = typedGames();
    if (games === null) return input.focus();
    model.setOpen(games);
    input.value = '';
  });
  $('undo').addEventListener('click', () => model.undo());
  $('history-start').addEventListener('change', (event) => model.setStart(event.target.checked));

  // The estimate of the history as it is now; answers to older states that
  // arrive late are dropped.
  let asked = 0;
  const estimate = () => {
    const history = model.current;
    const ticket = ++asked;
    if (!history.bonuses.length) {
      showPosterior(null);
      say('posterior-message', '当りを1回以上入れると、設定ごとの確率が出ます。');
      return;
    }
    core.call('estimate', { history: model.text, prior: prior.value }).then(
      (answer) => {
        if (ticket !== asked) return;
        if (answer.pending) {
          showPosterior(null);
          say('posterior-message', '履歴からの設定推測は、計算部の次の版で表示されます。');
        } else if (answer.errors) {
          showPosterior(null);
          say('prior-message', answer.errors.prior);
          say('posterior-message', answer.errors.history);
        } else {
          say('prior-message', '');
          say('posterior-message', '');
          showPosterior(answer.settings);
        }
      },
      () => ticket === asked && say('posterior-message', '計算できませんでした。もう一度操作してください。'),
    );
  };
  prior.addEventListener('input', estimate);

  model.onChange((history) => {
    renderList(history);
    $('undo').disabled = !model.canUndo();
    estimate();
  });

  $('share').addEventListener('click', async () => {
    if (!model.current.bonuses.length && model.current.open === null) {
      return say('share-message', '履歴が空です。');
    }
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
    const read = await core.call('readHistory', { text }).catch(() => ({ error: '読み込めませんでした。' }));
    if (read.error) return say('import-message', read.error);
    model.replace(read.history);
    say('import-message', '');
    say('share-message', `${read.history.bonuses.length}回分の当りを読み込みました。`);
    $('import-box').hidden = true;
  });

  // What the device kept, then what a link brought, which undo can take back.
  const restore = async () => {
    const stored = model.storedText();
    const read = stored ? await core.call('readHistory', { text: stored }) : null;
    // A tap while the worker was loading comes first.
    if (!model.canUndo()) model.load(read?.history ?? model.current);
    await openLink();
  };
  const openLink = async () => {
    const text = historyFromFragment(location.hash);
    if (text === null) return;
    // The history stays out of the address bar, which browsers keep and sync.
    window.history.replaceState(null, '', location.pathname + location.search);
    const read = await core.call('readHistory', { text });
    if (read.error) say('history-message', `リンクの履歴を読めませんでした。${read.error}`);
    else model.replace(read.history);
  };
  window.addEventListener('hashchange', openLink);
  restore();

  return {};
}
