// The history's text, its undo and its storage, without a browser.
import assert from 'node:assert/strict';
import { describe, test } from 'node:test';

import { historyFromFragment, HistoryModel, linkFor } from '../src/history.js';
import { formatHistory, MAX_BONUSES, readGames, readHistory } from '../src/history-text.js';

describe('history text', () => {
  test('what the page writes it reads back, and a hand-written text too', () => {
    const history = {
      start: true,
      bonuses: [
        { kind: 'BIG', games: 212 },
        { kind: 'REG', games: 1 },
      ],
      open: 0,
    };
    const text = formatHistory(history);
    assert.equal(text, 'start\nBIG\t212\nREG\t1\n-\t0\n');
    assert.deepEqual(readHistory(text).history, history);
    const typed = '# 5番台\r\n\r\nb, ２１２\nR\t1\n-\t0';
    assert.deepEqual(readHistory(typed).history, { ...history, start: false });
  });

  test('each bad line is named with its number and what it needs', () => {
    const cases = [
      ['BIG\t10\nXYZ\t3\n', /^2行目: .*BIG<TAB>G数/],
      ['BIG\t10\n-\t5\nREG\t3\n', /^3行目: 現在のG数（-）は最後の行/],
      ['REG\t12a\n', /^1行目: G数は数字だけ/],
      ['BIG,\n', /^1行目: G数を入力/],
      ['BIG\t100000\n', /^1行目: G数は0～99999/],
      ['BIG\t1\nstart\n', /^2行目: /],
    ];
    for (const [text, message] of cases) assert.match(readHistory(text).error, message, text);
  });

  test('more bonuses than a day holds are refused at the first one too many', () => {
    const read = readHistory('BIG\t100\n'.repeat(100000));
    assert.equal(read.line, MAX_BONUSES + 1);
    assert.match(read.error, /2000回まで/);
    assert.equal(readHistory('BIG\t100\n'.repeat(MAX_BONUSES)).history.bonuses.length, MAX_BONUSES);
  });

  test('games as a counter shows them', () => {
    assert.deepEqual(readGames(' ０７ '), { games: 7 });
    assert.ok(readGames('1e3').error);
    assert.ok(readGames('-1').error);
  });
});

describe('history model', () => {
  const memory = () => {
    const items = new Map();
    return { getItem: (k) => items.get(k) ?? null, setItem: (k, v) => items.set(k, v) };
  };

  test('undo takes back each change in turn and the store follows', () => {
    const storage = memory();
    const model = new HistoryModel(storage);
    model.load({ start: false, bonuses: [{ kind: 'REG', games: 5 }], open: null });
    model.addBonus('BIG', 100);
    model.setOpen(30);
    model.clear();
    assert.equal(storage.getItem('sorimu.history'), '');
    model.undo();
    assert.equal(storage.getItem('sorimu.history'), 'REG\t5\nBIG\t100\n-\t30\n');
    model.undo();
    model.undo();
    assert.equal(model.text, 'REG\t5\n');
    assert.equal(model.canUndo(), false);
    model.undo();
    assert.equal(model.text, 'REG\t5\n');
  });

  test('a store that refuses leaves the page working', () => {
    const refusing = {
      getItem() {
        throw new Error('denied');
      },
      setItem() {
        throw new Error('quota');
      },
    };
    const model = new HistoryModel(refusing);
    assert.equal(model.storedText(), '');
    assert.equal(model.addBonus('BIG', 1), null);
    assert.equal(model.text, 'BIG\t1\n');
  });

  test('a full history takes no more bonuses', () => {
    const model = new HistoryModel();
    model.load({ start: false, bonuses: Array(MAX_BONUSES).fill({ kind: 'BIG', games: 1 }), open: null });
    assert.match(model.addBonus('REG', 1), /2000回まで/);
    assert.equal(model.current.bonuses.length, MAX_BONUSES);
  });

  test('a link carries the text and gives it back', () => {
    const text = 'start\nBIG\t212\n-\t86\n';
    const link = linkFor({ origin: 'https://example.org', pathname: '/sorimu/' }, text);
    assert.equal(historyFromFragment(new URL(link).hash), text);
    assert.equal(historyFromFragment('#x=1&h=REG%091%0A'), 'REG\t1\n');
    assert.equal(historyFromFragment('#h=%E0%A4%A'), null);
    assert.equal(historyFromFragment(''), null);
  });
});
