// The page's Web Worker: it owns the core (WebAssembly) and answers the
// page's requests one at a time, so the page never waits on a computation.
//
// Requests are {id, op, args}; answers are {id, value} or {id, error}, with
// {id, progress} on the way for long work. {ready, version} is posted once
// the core is loaded. The ops:
//   specSheet                      -> {caption, rows: [[cell]], tsv}
//   dryStretchCurves {maxGames}    -> {caption, bonuses: [Float64Array x6], firstHits}
//   playRun {games, setting, big, reg, seed}
//                                  -> {summary, level, hiddenLevel, games, slumpX, slumpY,
//                                      bigX, bigY, regX, regY} or {errors: {box: message}},
//                                      with outOfMemory when the run did not fit
//   readHistory {text}             -> {history} or {error, line}
//   estimate {history, prior}      -> {settings: [{setting, probability, prior}]}
//                                     or {errors: {history, prior}}
//   hamari {since, after, history, prior, rate}
//                                  -> {columns: [name], rows: [[cell]]}
//   quitCurve {after, games, history, prior}
//                                  -> {balance: [Float64Array per setting, entry k after
//                                      k games], columns: [name], rows: [[cell]]}
// Figures are the core's own texts where the command line prints them, so
// they carry every digit it prints. The last three answer {pending: true}
// until the core offers them.
import { readHistory } from './history-text.js';

/* global createSorimuCore */
importScripts('sorimu-core.js');

const pending = () => ({ pending: true });

let core = null;

const ops = {
  specSheet: () => core.specSheet(),
  dryStretchCurves: ({ maxGames }) => core.dryStretchCurves(maxGames),
  playRun: (args, id) =>
    core.playRun(
      {
        games: String(args.games),
        setting: String(args.setting),
        big: String(args.big),
        reg: String(args.reg),
        seed: String(args.seed),
      },
      (played) => self.postMessage({ id, progress: played }),
    ),
  readHistory: ({ text }) => readHistory(text),
  estimate: pending,
  hamari: pending,
  quitCurve: pending,
};

const queue = [];

function answer({ id, op, args }) {
  const run = ops[op];
  if (!run) {
    self.postMessage({ id, error: `unknown op ${op}` });
    return;
  }
  try {
    self.postMessage({ id, value: run(args ?? {}, id) });
  } catch (error) {
    self.postMessage({ id, error: String(error?.message ?? error) });
  }
}

self.onmessage = ({ data }) => {
  if (core) answer(data);
  else queue.push(data);
};

createSorimuCore().then((module) => {
  core = module;
  self.postMessage({ ready: true, version: core.version() });
  while (queue.length) answer(queue.shift());
});
