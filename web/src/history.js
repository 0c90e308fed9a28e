// The history being entered: what the core made of it (its value, and its
// text in the form `sorimu-cli estimate --history` reads), and every earlier
// state for undo. Every change is the core's answer, asked through the
// worker in the order the taps came, so no rule of the text is written here.
// The text is kept in this browser's storage between visits and leaves the
// device only when the user shares or exports it.

const STORAGE_KEY = 'sorimu.history';
const UNDO_DEPTH = 200;

export const EMPTY = Object.freeze({ history: { start: false, bonuses: [], open: null }, text: '' });

export class HistoryModel {
  // `core` answers readHistory and editHistory (see worker.js).
  constructor(core, storage = null) {
    this.core = core;
    this.storage = storage;
    this.current = EMPTY;
    this.undoStack = [];
    this.listeners = [];
    this.pending = Promise.resolve();
  }

  onChange(listener) {
    this.listeners.push(listener);
  }

  get text() {
    return this.current.text;
  }

  canUndo() {
    return this.undoStack.length > 0;
  }

  // The stored text, or '' when there is none or storage is not allowed.
  storedText() {
    try {
      return this.storage?.getItem(STORAGE_KEY) ?? '';
    } catch {
      return '';
    }
  }

  // Runs `step` once every change asked before it is done.
  queued(step) {
    const done = this.pending.then(step);
    this.pending = done.catch(() => {});
    return done;
  }

  // One tap: `action` ("BIG", "REG", "-", "start" or "midway") with the games
  // typed. Resolves to the core's message, or null once the history changed.
  edit(action, typed = '') {
    return this.queued(async () => {
      const answer = await this.core.call('editHistory', { text: this.text, action, typed });
      if (answer.error) return answer.error;
      this.replace(answer);
      return null;
    });
  }

  // A whole text: resolves to {error, line} if the core cannot read it, or
  // to null once it is the history (which undo takes back unless `start`:
  // the state to begin from).
  read(text, { start = false } = {}) {
    return this.queued(async () => {
      const answer = await this.core.call('readHistory', { text });
      if (answer.error) return answer;
      if (start) this.load(answer);
      else this.replace(answer);
      return null;
    });
  }

  clear() {
    return this.queued(() => this.replace(EMPTY));
  }

  undo() {
    return this.queued(() => {
      if (!this.undoStack.length) return;
      this.current = this.undoStack.pop();
      this.changed();
    });
  }

  replace(state) {
    this.undoStack.push(this.current);
    if (this.undoStack.length > UNDO_DEPTH) this.undoStack.shift();
    this.current = state;
    this.changed();
  }

  load(state) {
    this.current = state;
    this.changed();
  }

  changed() {
    try {
      this.storage?.setItem(STORAGE_KEY, this.text);
    } catch {
      // Private windows may refuse storage; the page works without it.
    }
    for (const listener of this.listeners) listener(this.current.history);
  }
}

// The history text a link carries after "#h=", or null.
export function historyFromFragment(hash) {
  const match = /^#?(?:.*&)?h=([^&]*)/.exec(hash);
  if (!match) return null;
  try {
    return decodeURIComponent(match[1]);
  } catch {
    return null;
  }
}

export function linkFor(location, text) {
  return `${location.origin}${location.pathname}#h=${encodeURIComponent(text)}`;
}
