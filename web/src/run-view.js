// シミュレーション: one seeded run, as `sorimu-cli run --seed` plays it: the
// summary and the slump graph. A run that takes a while shows its progress
// and can be stopped; stopping ends the worker, and the page goes on.
import { slumpChart } from './charts.js';

const $ = (id) => document.getElementById(id);

const BOXES = ['games', 'setting', 'big', 'reg', 'seed'];
// Below this a run looks instant and is not offered a stop.
const QUIET_MS = 500;

function randomSeed() {
  return String(crypto.getRandomValues(new Uint32Array(1))[0]);
}

export function setupRunView({ core }) {
  let chart = null;
  let lastRun = null;

  const showErrors = (errors = {}) => {
    for (const box of BOXES) $(`run-${box}-message`).textContent = errors[box] ?? '';
  };
  const setRunning = (running) => {
    $('run-start').disabled = running;
    $('run-cancel').hidden = true;
    $('run-progress').hidden = true;
  };

  $('run-form').addEventListener('submit', async (event) => {
    event.preventDefault();
    if ($('run-start').disabled) return;
    const seed = $('run-seed').value.trim() === '' ? randomSeed() : $('run-seed').value;
    const request = {
      games: $('run-games').value,
      setting: $('run-setting').value,
      big: $('run-big').value,
      reg: $('run-reg').value,
      seed,
    };
    showErrors();
    setRunning(true);
    $('run-status').textContent = 'シミュレーション実行中・・・';
    const progress = $('run-progress');
    const slow = setTimeout(() => {
      progress.hidden = false;
      $('run-cancel').hidden = false;
    }, QUIET_MS);
    const total = Number(request.games) || 1;
    try {
      const run = await core.call('playRun', request, (played) => {
        progress.value = played / total;
      });
      if (run.errors) {
        // A fresh worker gives back what a run too large for it took.
        if (run.outOfMemory) core.restart();
        showErrors(run.errors);
        $('run-status').textContent = '';
        return;
      }
      lastRun = run;
      $('run-summary').textContent = run.summary;
      $('run-status').textContent = `シミュレーション完了（seed ${seed}）`;
      $('run-reveal').hidden = !run.hiddenLevel;
      chart?.destroy();
      chart = slumpChart($('slump-chart'), run);
    } catch (error) {
      if (error.cancelled) {
        $('run-status').textContent = 'シミュレーションを中断しました。';
      } else {
        // A core that failed half-way is not used again.
        core.restart();
        $('run-status').textContent = '計算部が止まりました。Play数を減らしてもう一度どうぞ。';
      }
    } finally {
      clearTimeout(slow);
      setRunning(false);
    }
  });
  $('run-cancel').addEventListener('click', () => core.restart());
  $('run-reveal').addEventListener('click', () => {
    if (lastRun) $('run-status').textContent = `この回の設定は ${lastRun.level} でした。`;
  });

  return {
    shown: () => chart?.plot.setSize({ width: $('slump-chart').clientWidth, height: chart.plot.height }),
  };
}
