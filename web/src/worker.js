// The page's Web Worker: it owns the core (WebAssembly) and answers the
// page's requests one at a time, so the page never waits on a computation.
//
// Requests are {id, op, args}; answers are {id, value} or {id, error}, with
// {id, progress} on the way for long work. {ready, version} is posted once
// the core is loaded. The ops:
//   specSheet                      -> {caption, rows: [[cell]], volatilityCaption,
//                                      volatilityRows, tsv}
//   dryStretchCurves {maxGames}    -> {caption, bonuses: [Float64Array x6], firstHits}
//   playRun {games, setting, big, reg, seed}
//                                  -> {summary, level, hiddenLevel, games, slumpX, slumpY,
//                                      bigX, bigY, regX, regY} or {errors: {box: message}},
//                                      with outOfMemory when the run did not fit
// The history is the text the core writes (what `sorimu-cli estimate
// --history` reads); the page keeps it and hands it back with each question:
//   readHistory {text}             -> {history: {start, bonuses: [{kind, games}], open},
//                                      text} or {error, line}
//   editHistory {text, action, typed}
//                                  -> the same, or {error}: action "BIG"/"REG" adds a
//                                     bonus after the games typed, "-" sets the games
//                                     since the last one, "start"/"midway" the first
//                                     stretch's start
//   gamesBoxProblem {typed}        -> '' or what is wrong with the games box
//   estimate {history, prior}      -> {settings: [{setting, probability, prior}], rows, note}
//   forecast {history, prior}      -> {rows, draws, seed}
//   hamari {history, prior, since, after, rate}
//                                  -> {caption, rows, tsv, since, settings: [Float64Array
//                                      per setting, entry G], mix, mixCaption}
//   quitCurve {history, prior, after}
//                                  -> {caption, rows, tsv, settings: [Float64Array per
//                                      setting, entry k - 1 for k games], mix, mixCaption}
//   (the last four answer {errors: {history | prior | since: message}} to bad input)
//   exchangeRates                  -> [caption] in the order `rate` counts them
//   figuresSignature               -> what the native tests pin for every hall figure
// Figures are the core's own texts where the command line prints them, so
// they carry every digit it prints.

/* global createSorimuCore */
importScripts('sorimu-core.js');

let core = null;

// A question about the history, every field a text as the binding takes it.
const hall = (args) => ({
  history: String(args.history ?? ''),
  prior: String(args.prior ?? ''),
  since: String(args.since ?? ''),
  after: String(args.after ?? ''),
  rate: Number(args.rate ?? 0) | 0,
});

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
  readHistory: ({ text }) => core.readHistory(String(text ?? '')),
  editHistory: ({ text, action, typed }) =>
    core.editHistory(String(text ?? ''), String(action ?? ''), String(typed ?? '')),
  gamesBoxProblem: ({ typed }) => core.gamesBoxProblem(String(typed ?? '')),
  estimate: (args) => core.estimate(hall(args)),
  forecast: (args) => core.forecast(hall(args)),
  hamari: (args) => core.hamari(hall(args)),
  quitCurve: (args) => core.quitCurve(hall(args)),
  exchangeRates: () => core.exchangeRates(),
  figuresSignature: () => core.figuresSignature(),
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
