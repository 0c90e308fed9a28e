// The history model's order, undo and storage, without a browser, over a
// stand-in for the core that writes its own made-up text: the text's rules
// are the core's and are tested with it.
import assert from 'node:assert/strict';
import { describe, test } from 'node:test';

import { EMPTY, historyFromFragment, HistoryModel, linkFor } from '../src/history.js';

// Answers after a delay that shrinks with each call, so later taps are
// answered first if the model does not wait its turn; "0" is refused.
function standIn() {
  let delay = 30;
  const answer = (value) => new Promise((resolve) => setTimeout(() => resolve(value), (delay = Math.max(0, delay - 10))));
  const state = (text) => ({ history: { start: false, bonuses: text.split(';').filter(Boolean), open: null }, text });
  return {
    call(op, { text, action, typed }) {
      if (op === 'readHistory') return answer(text.startsWith('bad') ? { error: '1行目: bad', line: 1 } : state(text));
      return answer(typed === '0' ? { error: 'zero' } : state(`${text}${action}${typed};`));
    },
  };
}

function memory() {
  const items = new Map();
  return { getItem: (k) => items.get(k) ?? null, setItem: (k, v) => items.set(k, v) };
}

describe('history model', () => {
  test('taps apply in the order they came, a refused one changes nothing, undo takes each back', async () => {
    const storage = memory();
    const model = new HistoryModel(standIn(), storage);
    const seen = [];
    model.onChange((history) => seen.push(history.bonuses.length));
    const answers = await Promise.all([model.edit('BIG', '212'), model.edit('REG', '0'), model.edit('REG', '48')]);
    assert.deepEqual(answers, [null, 'zero', null]);
    assert.equal(model.text, 'BIG212;REG48;');
    assert.equal(storage.getItem('sorimu.history'), 'BIG212;REG48;');
    assert.deepEqual(seen, [1, 2]);
    model.clear();
    await model.undo();
    assert.equal(model.text, 'BIG212;REG48;');
    await Promise.all([model.undo(), model.undo(), model.undo()]);
    assert.equal(model.current, EMPTY);
    assert.equal(model.canUndo(), false);
  });

  test('a text starts the history, or replaces it so that undo has it back; a bad one changes nothing', async () => {
    const model = new HistoryModel(standIn(), memory());
    assert.equal(await model.read('kept;', { start: true }), null);
    assert.equal(model.canUndo(), false);
    assert.deepEqual(await model.read('bad;'), { error: '1行目: bad', line: 1 });
    assert.equal(await model.read('linked;'), null);
    await model.undo();
    assert.equal(model.text, 'kept;');
  });

  test('a store that refuses leaves the page working', async () => {
    const refusing = {
      getItem() {
        throw new Error('denied');
      },
      setItem() {
        throw new Error('quota');
      },
    };
    const model = new HistoryModel(standIn(), refusing);
    assert.equal(model.storedText(), '');
    assert.equal(await model.edit('BIG', '1'), null);
    assert.equal(model.text, 'BIG1;');
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
