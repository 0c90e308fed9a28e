// The page in a real browser: its figures against sorimu-cli's to the last
// printed digit, its answers to bad input, its history kept and shared, its
// offline start, its size and its first answer.
import assert from 'node:assert/strict';
import { mkdir, readdir, stat } from 'node:fs/promises';
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

describe('実戦データ', () => {
  const tap = async (page, ...keys) => {
    for (const key of keys) await page.tap(key.length === 1 ? `#pad [data-key="${key}"]` : key);
  };
  const listed = (page) =>
    page.$$eval('#history-list li', (items) => items.map((item) => item.textContent));

  test('entered with the pad, kept on the device, taken back with undo', async () => {
    const page = await openPage(browser, site.url);
    assert.match(await text(page, '#posterior-message'), /当り/);
    await tap(page, '2', '1', '2', '#add-big', '4', '8', '#add-reg', '9', '#set-open', '#undo');
    await tap(page, '#history-start', '8', '6', '#set-open');
    assert.deepEqual(await listed(page), ['1BIG212G', '2REG48G', '現在86G']);
    const stored = 'start\nBIG\t212\nREG\t48\n-\t86\n';
    assert.equal(await page.evaluate(() => localStorage.getItem('sorimu.history')), stored);
    await page.reload({ waitUntil: 'load' });
    await page.waitForFunction(() => document.querySelectorAll('#history-list li').length === 3);
    assert.equal(await page.$eval('#history-start', (box) => box.checked), true);

    // The link carries the same text; opened, it shows the same history,
    // and leaves the address bar without it.
    await page.evaluate(() => localStorage.clear());
    const linked = await openPage(browser, site.url, { hash: `#h=${encodeURIComponent(stored)}` });
    await linked.waitForFunction(() => document.querySelectorAll('#history-list li').length === 3);
    assert.deepEqual(await listed(linked), ['1BIG212G', '2REG48G', '現在86G']);
    assert.equal(await linked.evaluate(() => location.hash), '');
    assert.deepEqual(page.errors, []);
    await Promise.all([page.close(), linked.close()]);
  });

  test('bad input gets a message under its field and the page keeps answering', async () => {
    const page = await openPage(browser, site.url);
    await page.type('#games-input', '12ab');
    assert.equal(await text(page, '#games-message'), 'G数は数字だけで入力してください。');
    await tap(page, 'C', '#add-big');
    assert.equal(await text(page, '#games-message'), 'G数を入力してください。');
    assert.deepEqual(await listed(page), []);

    // A text of 10^5 bonuses is refused by the worker; the pad still answers.
    await page.click('#import-open');
    const huge = 'BIG\t100\n'.repeat(100000);
    await page.$eval('#import-text', (area, value) => (area.value = value), huge);
    await page.click('#import-apply');
    await page.waitForFunction(() => /2000/.test(document.getElementById('import-message').textContent));
    await tap(page, '5');
    assert.equal(await page.$eval('#games-input', (input) => input.value), '5');
    assert.deepEqual(await listed(page), []);

    await page.$eval('#import-text', (area) => (area.value = 'BIG\t10\n-\t5\nREG\t3\n'));
    await page.click('#import-apply');
    await page.waitForFunction(() => document.getElementById('import-message').textContent !== '読み込み中…');
    assert.match(await text(page, '#import-message'), /^3行目: /);
    await page.close();
  });
});

describe('スペック表', () => {
  test('the figure sheet equals sorimu-cli theory', async () => {
    const page = await openPage(browser, site.url, { viewport: DESKTOP });
    await showTab(page, 'sheet');
    await page.waitForSelector('#sheet-table table');
    const rows = await page.$$eval('#sheet-table tr', (trs) =>
      trs.map((tr) => [...tr.children].map((cell) => cell.textContent).join('\t')),
    );
    const sheet = (await cli('theory')).stdout.trimEnd().split('\n');
    assert.equal(sheet[0], '[スペック表]');
    assert.deepEqual(rows, sheet.slice(1));

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
    const history = encodeURIComponent('BIG\t212\nREG\t48\nBIG\t1\nBIG\t331\nREG\t97\nBIG\t35\nREG\t402\nBIG\t150\n-\t86\n');
    const phone = await openPage(browser, site.url, { hash: `#h=${history}` });
    await phone.waitForFunction(() => document.querySelectorAll('#history-list li').length === 9);
    await phone.screenshot({ path: path.join(SHOTS, 'web-phone-history.png') });
    await showTab(phone, 'run');
    await playOnPage(phone, { games: '8000', setting: '6', seed: '1' });
    await phone.screenshot({ path: path.join(SHOTS, 'web-phone-run.png') });
    await phone.close();

    const desktop = await openPage(browser, site.url, { viewport: DESKTOP });
    await showTab(desktop, 'sheet');
    await desktop.waitForSelector('#tail-chart canvas');
    await desktop.screenshot({ path: path.join(SHOTS, 'web-desktop-sheet.png') });
    await showTab(desktop, 'run');
    await playOnPage(desktop, { games: '100000', setting: '?', seed: '42' });
    await desktop.screenshot({ path: path.join(SHOTS, 'web-desktop-run.png') });
    await desktop.close();
  });
});
