// The page: five tabs over workers of the core. The quick questions of the
// hall tools go to one, the simulation and the figure sheet's curves to
// another, so a long run never holds up the history's answers.
import { CoreClient } from './core-client.js';
import { setupHallViews } from './hall-views.js';
import { HistoryModel } from './history.js';
import { setupHistoryView } from './history-view.js';
import { setupRunView } from './run-view.js';
import { setupSheetView } from './sheet-view.js';

const $ = (id) => document.getElementById(id);

function storage() {
  try {
    return window.localStorage;
  } catch {
    return null;
  }
}

function setupTabs(onShow) {
  const buttons = [...document.querySelectorAll('nav.tabs [role=tab]')];
  const show = (button) => {
    for (const other of buttons) {
      const selected = other === button;
      other.setAttribute('aria-selected', String(selected));
      $(other.dataset.tab).hidden = !selected;
    }
    onShow(button.dataset.tab);
  };
  for (const button of buttons) button.addEventListener('click', () => show(button));
}

function start() {
  const quick = new CoreClient('worker.js');
  const heavy = new CoreClient('worker.js');
  // How soon the estimate may change takes about a second of drawing: a
  // worker of its own, started when first needed.
  let forecast = null;
  const forecaster = () => (forecast ??= new CoreClient('worker.js'));
  const model = new HistoryModel(quick, storage());

  const views = {
    'tab-history': setupHistoryView({ core: quick, model, forecaster }),
    'tab-sheet': setupSheetView({ core: heavy }),
    'tab-run': setupRunView({ core: heavy }),
    ...setupHallViews({ core: quick, model }),
  };
  setupTabs((tab) => views[tab]?.shown?.());

  const state = $('core-state');
  Promise.all([quick.ready, heavy.ready]).then(
    ([version]) => {
      state.textContent = `v${version}`;
      document.body.dataset.ready = 'true';
    },
    () => {
      state.textContent = '計算部を読み込めませんでした。再読み込みしてください。';
      state.classList.add('error');
    },
  );

  if ('serviceWorker' in navigator && /^https?:$/.test(location.protocol)) {
    navigator.serviceWorker.register('sw.js').catch(() => {
      // Without it the page still works; it just needs the network.
    });
  }
}

start();
