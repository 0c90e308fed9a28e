// The history being entered: the bonuses so far, the games since the last
// one, and every earlier state for undo. It is kept in this browser's
// storage between visits and leaves the device only when the user shares or
// exports it.
import { emptyHistory, formatHistory, MAX_BONUSES } from './history-text.js';

const STORAGE_KEY = 'sorimu.history';
const UNDO_DEPTH = 200;

export class HistoryModel {
  constructor(storage = null) {
    this.storage = storage;
    this.current = emptyHistory();
    this.undoStack = [];
    this.listeners = [];
  }

  onChange(listener) {
    this.listeners.push(listener);
  }

  get text() {
    return formatHistory(this.current);
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

  // A new state; the one before it can be had back with undo().
  replace(history) {
    this.undoStack.push(this.current);
    if (this.undoStack.length > UNDO_DEPTH) this.undoStack.shift();
    this.current = history;
    this.changed();
  }

  // The state to start from, which undo does not go back past.
  load(history) {
    this.current = history;
    this.changed();
  }

  // An error message when the history is full, null when the bonus was added.
  addBonus(kind, games) {
    if (this.current.bonuses.length >= MAX_BONUSES) {
      return `ボーナスは${MAX_BONUSES}回までです。`;
    }
    this.replace({ ...this.current, bonuses: [...this.current.bonuses, { kind, games }], open: null });
    return null;
  }

  setOpen(games) {
    this.replace({ ...this.current, open: games });
  }

  setStart(start) {
    if (start !== this.current.start) this.replace({ ...this.current, start });
  }

  clear() {
    this.replace(emptyHistory());
  }

  undo() {
    if (!this.undoStack.length) return;
    this.current = this.undoStack.pop();
    this.changed();
  }

  changed() {
    try {
      this.storage?.setItem(STORAGE_KEY, this.text);
    } catch {
      // Private windows may refuse storage; the page works without it.
    }
    for (const listener of this.listeners) listener(this.current);
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
