// The page in a real browser: its figures against sorimu-cli's to the last
// printed digit, its answers to bad input, its history kept and shared, its
// offline start, its size and its first answer.
import assert from 'node:assert/strict';
import { mkdir, mkdtemp, readdir, stat, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import { cli, DESKTOP, launchBrowser, newPage, openPage, serveSite, SHOTS, showTab, SITE, text } from './harness.mjs';

let browser;
let site;

before(async () => {
  browser = await launchBrowser();
  site = await serveSite();
});

after(async () => {
  await site?.close();
  await browser?.close();
});

async function playOnPage(page, { games, setting, big = '255', reg = '255', seed }) {
  for (const [box, value] of Object.entries({ games, big, reg, seed })) {
    await page.$eval(`#run-${box}`, (input, v) => (input.value = v), value);
  }
  await page.select('#run-setting', setting);
  await page.$eval('#run-summary', (element) => (element.textContent = ''));
  await page.click('#run-start');
  await page.waitForFunction(() => !document.getElementById('run-start').disabled);
}

describe('シミュレーション', () => {
  test('a seeded run shows the summary sorimu-cli run prints for it', async () => {
    const page = await openPage(browser, site.url);
    await showTab(page, 'run');
    const runs = [
      { games: '8000', setting: '6', seed: '1' },
      { games: '100000', setting: '?', seed: '42' },
      { games: '30000', setting: '2', big: '0', reg: '3', seed: '4294967295' },
    ];
    for (const run of runs) {
      await playOnPage(page, run);
      const expected = await cli(
        'run',
        ...['--seed', run.seed, '--games', run.games, '--setting', run.setting],
        ...['--big', run.big ?? '255', '--reg', run.reg ?? '255'],
      );
      const summary = expected.stdout.split('\n').slice(0, 4).join('\n');
      assert.equal(await text(page, '#run-summary'), summary, JSON.stringify(run));
    }
    // The graph was drawn, and its last point is the run's end.
    assert.ok(await page.$('#slump-chart canvas'));
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  test('bad boxes get the messages sorimu-cli gives for them, under each box', async () => {
    const page = await openPage(browser, site.url);
    await showTab(page, 'run');
    await playOnPage(page, { games: '12a', setting: '1', big: '300', reg: '-1', seed: 'x' });
    const games = await cli('run', '--games', '12a');
    const big = await cli('run', '--big', '300');
    const reg = await cli('run', '--reg', '-1');
    assert.equal(await text(page, '#run-games-message'), games.stderr.split('\n')[0]);
    assert.equal(await text(page, '#run-big-message'), big.stderr.split('\n')[0]);
    assert.equal(await text(page, '#run-reg-message'), reg.stderr.split('\n')[0]);
    assert.match(await text(page, '#run-seed-message'), /seed/);
    assert.equal(await text(page, '#run-summary'), '');
    await page.close();
  });
});

// A history as the page keeps it, in a file for sorimu-cli.
async function historyFile(page) {
  const text = await page.evaluate(() => localStorage.getItem('sorimu.history'));
  const file = path.join(await mkdtemp(path.join(tmpdir(), 'sorimu-history-')), 'history.txt');
  await writeFile(file, text);
  return file;
}

const pageValues = (page) => page.$$eval('.pct', (cells) => cells.map((cell) => cell.dataset.value));
const cliValues = (tsv) =>
  tsv
    .trimEnd()
    .split('\n')
    .slice(1)
    .map((line) => line.split('\t')[1]);
const tableRows = (page, selector) =>
  page.$$eval(`${selector} tr`, (trs) => trs.map((tr) => [...tr.children].map((cell) => cell.textContent).join('\t')));

// The page's estimate once it answered for `text` (the p1 .. p6 values).
async function posteriorOf(page, previous = '') {
  await page.waitForFunction((before) => {
    const value = document.getElementById('p1').dataset.value;
    return value !== '' && value !== before;
  }, {}, previous);
  return pageValues(page);
}

const HISTORY = 'BIG\t212\nREG\t48\nBIG\t1\nBIG\t331\nREG\t97\nBIG\t35\nREG\t402\nBIG\t150\n-\t86\n';

describe('実戦データ', () => {
  const tap = async (page, ...keys) => {
    for (const key of keys) await page.tap(key.length === 1 ? `#pad [data-key="${key}"]` : key);
  };
  const listed = (page) =>
    page.$$eval('#history-list li', (items) => items.map((item) => item.textContent));

  test('entered with the pad, its estimate and forecast are sorimu-cli estimate --history to the last digit', async () => {
    const page = await openPage(browser, site.url);
    assert.match(await text(page, '#posterior-message'), /当り/);
    await tap(page, '2', '1', '2', '#add-big', '4', '8', '#add-reg', '9', '#set-open', '#undo');
    await tap(page, '#history-start', '1', '#add-big', '3', '3', '1', '#add-reg', '8', '6', '#set-open');
    await page.waitForFunction(() => document.querySelectorAll('#history-list li').length === 5);
    assert.deepEqual(await listed(page), ['1BIG212G', '2REG48G', '3BIG1G', '4REG331G', '現在86G']);
    const stored = 'start\nBIG\t212\nREG\t48\nBIG\t1\nREG\t331\n-\t86\n';
    assert.equal(await page.evaluate(() => localStorage.getItem('sorimu.history')), stored);
    const file = await historyFile(page);
    assert.deepEqual(await posteriorOf(page), cliValues((await cli('estimate', '--history', file, '--tsv')).stdout));

    // Against the hall's prior, and how soon it may change: the figures
    // `estimate --history` prints below the estimate.
    const before = await page.$eval('#p1', (cell) => cell.dataset.value);
    await page.type('#prior-input', '40,25,15,10,5,5');
    const prior = ['--prior', '40,25,15,10,5,5'];
    assert.deepEqual(await posteriorOf(page, before), cliValues((await cli('estimate', '--history', file, '--tsv', ...prior)).stdout));
    await page.waitForSelector('#forecast-table table', { timeout: 20000 });
    const shown = (await cli('estimate', '--history', file, ...prior)).stdout.trimEnd().split('\n');
    const forecast = shown.slice(shown.findIndex((line) => line.startsWith('[この先の推測]')) + 1);
    assert.deepEqual(await tableRows(page, '#forecast-table'), forecast);

    await page.reload({ waitUntil: 'load' });
    await page.waitForFunction(() => document.querySelectorAll('#history-list li').length === 5);
    assert.equal(await page.$eval('#history-start', (box) => box.checked), true);
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  test("a link #h= shows its history's posterior at once, with every digit", async () => {
    const page = await openPage(browser, site.url, { hash: `#h=${encodeURIComponent(HISTORY)}` });
    const shown = await posteriorOf(page);
    assert.equal(await page.evaluate(() => location.hash), '');
    assert.equal((await listed(page)).length, 9);
    assert.deepEqual(shown, cliValues((await cli('estimate', '--history', await historyFile(page), '--tsv')).stdout));
    await page.close();
  });

  test("bad input gets the core's message under its field and the page keeps answering", async () => {
    const page = await openPage(browser, site.url);
    assert.equal(await text(page, '#posterior-message'), '当りを1回以上入れると、設定ごとの確率が出ます。');
    await page.type('#games-input', '12ab');
    await page.waitForFunction(() => document.getElementById('games-message').textContent !== '');
    assert.equal(await text(page, '#games-message'), 'G数は、1～10000000の整数にしてください。');
    await tap(page, 'C', '0', '#add-big');
    await page.waitForFunction(() => document.getElementById('games-input').value === '0');
    assert.equal(await text(page, '#games-message'), 'G数は、1～10000000の整数にしてください。');
    assert.deepEqual(await listed(page), []);

    // A text of 10^5 bonuses is refused at the first one past the page's
    // 2000; the pad still answers.
    await page.click('#import-open');
    const huge = 'BIG\t100\n'.repeat(100000);
    await page.$eval('#import-text', (area, value) => (area.value = value), huge);
    await page.click('#import-apply');
    await page.waitForFunction(() => /2000/.test(document.getElementById('import-message').textContent));
    assert.equal(await text(page, '#import-message'), '2001行目: ボーナスは2000回までにしてください。');
    await tap(page, 'C', '5');
    assert.equal(await page.$eval('#games-input', (input) => input.value), '5');
    assert.deepEqual(await listed(page), []);

    await page.$eval('#import-text', (area) => (area.value = 'BIG\t10\n-\t5\nREG\t3\n'));
    await page.click('#import-apply');
    await page.waitForFunction(() => document.getElementById('import-message').textContent !== '読み込み中…');
    assert.match(await text(page, '#import-message'), /^3行目: /);
    // A kept history the core no longer reads (the first version of the
    // page took a bonus after 0 games) stays kept and is offered for mending.
    await page.evaluate(() => localStorage.setItem('sorimu.history', 'BIG\t212\nREG\t0\n'));
    await page.reload({ waitUntil: 'load' });
    await page.waitForFunction(() => document.getElementById('history-message').textContent !== '');
    assert.equal(await text(page, '#history-message'), '保存されていた履歴を読めませんでした。2行目: G数は、1～10000000の整数にしてください。');
    assert.equal(await page.$eval('#import-text', (area) => area.value), 'BIG\t212\nREG\t0\n');
    assert.equal(await page.evaluate(() => localStorage.getItem('sorimu.history')), 'BIG\t212\nREG\t0\n');

    await tap(page, '7', '#add-big');
    await page.type('#prior-input', '1,2,x');
    await page.waitForFunction(() => document.getElementById('prior-message').textContent !== '');
    assert.equal(
      await text(page, '#prior-message'),
      '設定配分は、0以上の数を6つ、カンマで区切って指定してください（すべて0にはできません）。',
    );
    assert.deepEqual(page.errors, []);
    await page.close();
  });
});

describe('ハマリ・やめ時', () => {
  test('the ハマリ figures are sorimu-cli theory --since G --tsv to the last digit', async () => {
    const page = await openPage(browser, site.url, { viewport: DESKTOP });
    await showTab(page, 'hamari');
    // The page's TSV once it settled on what the command line prints (or
    // after a few seconds, when it did not).
    const ask = async ({ since, after = '', prior = '' }, expected) => {
      await page.$eval('#prior-input', (box, value) => (box.value = value), prior);
      await page.$eval('#hamari-games', (box) => (box.value = ''));
      await page.type('#hamari-games', since);
      await page.click(`#hamari-after [data-value="${after}"]`);
      const settled = (want) => document.getElementById('hamari-tsv').textContent === want;
      await page.waitForFunction(settled, { timeout: 5000 }, expected).catch(() => {});
      return text(page, '#hamari-tsv');
    };
    const cases = [
      { since: '0' },
      { since: '300', after: 'REG' },
      { since: '1490', prior: '40,25,15,10,5,5' },
      { since: '250', after: 'BIG', prior: '40,25,15,10,5,5' },
    ];
    for (const c of cases) {
      const args = ['theory', '--since', c.since];
      if (c.after) args.push('--after', c.after);
      if (c.prior) args.push('--prior', c.prior);
      const expected = (await cli(...args, '--tsv')).stdout;
      assert.equal(await ask(c, expected), expected, JSON.stringify(c));
    }
    // The yen rows name the rate they are priced at.
    assert.deepEqual(await page.$$eval('#hamari-rate option', (options) => options.map((o) => o.textContent)), [
      '等価 20円/枚',
      '5.6枚交換 17.86円/枚',
      '5.0枚交換 20円/枚',
    ]);
    await page.select('#hamari-rate', '1');
    await page.waitForFunction(() => /17\.86円/.test(document.getElementById('hamari-table').textContent));
    const yen = await page.$$eval('#hamari-table tbody th', (cells) => cells.map((c) => c.textContent).filter((c) => c.includes('円')));
    assert.deepEqual(yen, ['期待収支 当たりまで(円 5.6枚交換 17.86円/枚)', '期待収支 連チャン終了まで(円 5.6枚交換 17.86円/枚)']);
    await page.$eval('#hamari-games', (box) => (box.value = ''));
    await page.type('#hamari-games', '3x');
    await page.waitForFunction(() => document.getElementById('hamari-games-message').textContent !== '');
    assert.equal(await text(page, '#hamari-games-message'), '最後のボーナスからのG数は、0～10000000の整数にしてください。');
    assert.ok(await page.$('#hamari-chart canvas'));
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  test('with a history, the mix and the やめ時 curve are theory --history FILE to the last digit', async () => {
    const page = await openPage(browser, site.url, { hash: `#h=${encodeURIComponent(HISTORY)}` });
    await posteriorOf(page);
    const file = await historyFile(page);
    await showTab(page, 'hamari');
    // The G box follows the history's games since the last bonus, and the
    // table follows what that bonus was.
    await page.waitForFunction(() => document.getElementById('hamari-tsv').textContent.includes('mix'));
    assert.equal(await page.$eval('#hamari-games', (box) => box.value), '86');
    assert.equal(await text(page, '#hamari-tsv'), (await cli('theory', '--since', '86', '--history', file, '--tsv')).stdout);
    assert.equal(await text(page, '#hamari-caption'), 'ハマリ 86G BIG後');

    await showTab(page, 'quit');
    for (const after of ['BIG', 'REG']) {
      await page.click(`#quit-after [data-value="${after}"]`);
      await page.waitForFunction((kind) => document.getElementById('quit-caption').textContent === `やめ時 ${kind}後`, {}, after);
      await page.waitForFunction(() => document.getElementById('quit-tsv').textContent.includes('mix'));
      assert.equal(await text(page, '#quit-tsv'), (await cli('theory', '--quit-after', after, '--history', file, '--tsv')).stdout);
    }
    const best = await tableRows(page, '#quit-best');
    assert.match(best[1], /^期待差枚が最大のG数(\t\d+){7}\t$/);
    assert.ok(await page.$('#quit-chart canvas'));
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  test('every figure of the hall tools is the native one to the last bit', async () => {
    const page = await openPage(browser, site.url);
    const signature = await page.evaluate(
      () =>
        new Promise((resolve) => {
          const worker = new Worker('worker.js');
          worker.onmessage = ({ data }) => data.id === 1 && resolve(data.value);
          worker.postMessage({ id: 1, op: 'figuresSignature' });
        }),
    );
    // Pinned for the native build by tests/theory/PortableFiguresTest.cpp.
    assert.equal(signature, 'f9dd558723123f33');
    await page.close();
  });
});

describe('スペック表', () => {
  test('the figure sheet and the spread of the balance equal sorimu-cli theory', async () => {
    const page = await openPage(browser, site.url, { viewport: DESKTOP });
    await showTab(page, 'sheet');
    await page.waitForSelector('#volatility-table table');
    const shown = [
      '[スペック表]',
      ...(await tableRows(page, '#sheet-table')),
      `[${await text(page, '#volatility-caption')}]`,
      ...(await tableRows(page, '#volatility-table')),
    ];
    assert.deepEqual(shown, (await cli('theory')).stdout.trimEnd().split('\n'));

    // Every digit of --tsv. The core computes in long double, which is the
    // x87's 64-bit mantissa natively and IEEE quad in WebAssembly, so the
    // 18th digit may differ; every figure agrees to 1e-15 relative.
    const tsv = (await page.$eval('#sheet-tsv', (pre) => pre.textContent)).trimEnd().split('\n');
    const native = (await cli('theory', '--tsv')).stdout.trimEnd().split('\n');
    assert.equal(tsv[0], native[0]);
    assert.equal(tsv.length, native.length);
    let largest = 0;
    for (let line = 1; line < native.length; ++line) {
      const [ours, theirs] = [tsv[line].split('\t'), native[line].split('\t')];
      assert.equal(ours[0], theirs[0]);
      assert.equal(ours.length, theirs.length);
      for (let cell = 1; cell < theirs.length; ++cell) {
        const [a, b] = [Number(ours[cell]), Number(theirs[cell])];
        largest = Math.max(largest, Math.abs(a - b) / Math.abs(b));
        assert.ok(Math.abs(a - b) <= 1e-15 * Math.abs(b), `${native[0].split('\t')[cell]} ${ours[cell]} ${theirs[cell]}`);
      }
    }
    console.log(`# --tsv: largest relative difference ${largest}`);
    await page.waitForSelector('#tail-chart canvas');
    assert.deepEqual(page.errors, []);
    await page.close();
  });
});

describe('the site', () => {
  test('the wasm, JavaScript and CSS together stay within 1.5 MB', async () => {
    let total = 0;
    const sizes = {};
    for (const name of await readdir(SITE)) {
      if (!/\.(wasm|js|css)$/.test(name)) continue;
      sizes[name] = (await stat(path.join(SITE, name))).size;
      total += sizes[name];
    }
    console.log(`# sizes ${JSON.stringify(sizes)} total ${total}`);
    assert.ok(sizes['sorimu-core.wasm'] && sizes['app.js'] && sizes['app.css']);
    assert.ok(total <= 1.5 * 1024 * 1024, `${total} bytes`);
  });

  test('the first tap is answered within a second of loading', async () => {
    const page = await newPage(browser);
    // Times in the page's own clock: when each tap came, when the list and
    // the summary changed.
    await page.evaluateOnNewDocument(() => {
      window.taps = [];
      addEventListener('touchstart', (event) => window.taps.push(event.timeStamp), true);
      addEventListener('DOMContentLoaded', () => {
        const seen = (id, name) =>
          new MutationObserver(() => (window[name] ??= performance.now())).observe(document.getElementById(id), {
            childList: true,
            characterData: true,
            subtree: true,
          });
        seen('history-list', 'listed');
        seen('run-summary', 'summed');
      });
    });
    await page.goto(site.url, { waitUntil: 'load' });
    await page.tap('#pad [data-key="7"]');
    await page.tap('#add-big');
    await page.waitForFunction(() => window.listed);
    await page.tap('#tabbtn-run');
    await page.tap('#run-start');
    await page.waitForFunction(() => window.summed);
    const times = await page.evaluate(() => ({
      loaded: performance.getEntriesByType('navigation')[0].loadEventEnd,
      bonus: window.listed - window.taps[1],
      run: window.summed - window.taps[3],
    }));
    console.log(`# load ${times.loaded.toFixed(0)} ms; first BIG tap answered in ${times.bonus.toFixed(1)} ms; first run (core loading) in ${times.run.toFixed(0)} ms`);
    assert.ok(times.bonus < 1000 && times.run < 1000, JSON.stringify(times));
    await page.close();
  });

  test('once loaded, the page opens and plays with the server gone', async () => {
    const own = await serveSite();
    const page = await openPage(browser, own.url);
    await page.evaluate(async () => {
      await navigator.serviceWorker.ready;
      if (!navigator.serviceWorker.controller) {
        await new Promise((resolve) => navigator.serviceWorker.addEventListener('controllerchange', resolve));
      }
    });
    await own.close();
    await page.reload({ waitUntil: 'load' });
    await page.waitForSelector('body[data-ready=true]', { timeout: 10000 });
    await showTab(page, 'run');
    await playOnPage(page, { games: '8000', setting: '6', seed: '1' });
    const expected = (await cli('run', '--seed', '1', '--games', '8000', '--setting', '6')).stdout;
    assert.equal(await text(page, '#run-summary'), expected.split('\n').slice(0, 4).join('\n'));
    await page.close();
  });

  test('screenshots at 360×780 and 1280×800', async () => {
    await mkdir(SHOTS, { recursive: true });
    const shot = (page, name) => page.screenshot({ path: path.join(SHOTS, `web-${name}.png`) });
    const phone = await openPage(browser, site.url, { hash: `#h=${encodeURIComponent(HISTORY)}` });
    await posteriorOf(phone);
    await shot(phone, 'phone-history');
    await phone.type('#prior-input', '40,25,15,10,5,5');
    await phone.waitForSelector('#forecast-table table', { timeout: 20000 });
    await phone.$eval('#prior-input', (box) => box.scrollIntoView());
    await shot(phone, 'phone-estimate');
    await showTab(phone, 'hamari');
    await phone.waitForFunction(() => document.getElementById('hamari-tsv').textContent.includes('mix'));
    await phone.$eval('#hamari-rate', (box) => box.scrollIntoView());
    await shot(phone, 'phone-hamari');
    await showTab(phone, 'run');
    await playOnPage(phone, { games: '8000', setting: '6', seed: '1' });
    await shot(phone, 'phone-run');
    await phone.close();

    const desktop = await openPage(browser, site.url, { viewport: DESKTOP, hash: `#h=${encodeURIComponent(HISTORY)}` });
    await posteriorOf(desktop);
    await showTab(desktop, 'quit');
    await desktop.waitForSelector('#quit-chart canvas');
    await shot(desktop, 'desktop-quit');
    await showTab(desktop, 'sheet');
    await desktop.waitForSelector('#tail-chart canvas');
    await shot(desktop, 'desktop-sheet');
    await showTab(desktop, 'run');
    await playOnPage(desktop, { games: '100000', setting: '?', seed: '42' });
    await shot(desktop, 'desktop-run');
    await desktop.close();
  });
});
