// The bonus history as text, in the form `sorimu-cli estimate --history`
// reads: an optional first line "start", one bonus a line ("BIG<TAB>games"
// or "REG<TAB>games"), an optional last line "-<TAB>games" for the games
// since the last bonus. The page writes it for links, exports and storage,
// and reads back what it wrote or what a user pastes.

// More than a day of play at any machine; a longer text is a mistake.
export const MAX_BONUSES = 2000;
// What a counter's games field holds.
export const MAX_GAMES = 99999;

export function emptyHistory() {
  return { start: false, bonuses: [], open: null };
}

export function formatHistory(history) {
  const lines = [];
  if (history.start) lines.push('start');
  for (const bonus of history.bonuses) lines.push(`${bonus.kind}\t${bonus.games}`);
  if (history.open !== null) lines.push(`-\t${history.open}`);
  return lines.map((line) => line + '\n').join('');
}

// Full-width digits as a phone's Japanese keyboard types them.
function asciiDigits(text) {
  return text.replace(/[０-９]/g, (c) => String.fromCharCode(c.charCodeAt(0) - 0xfee0));
}

// A count of games as typed: digits only, 0 .. MAX_GAMES. The number, or
// the message for the box.
export function readGames(text) {
  const digits = asciiDigits(String(text).trim());
  if (digits === '') return { error: 'G数を入力してください。' };
  if (!/^[0-9]+$/.test(digits)) return { error: 'G数は数字だけで入力してください。' };
  const games = Number(digits);
  if (games > MAX_GAMES) return { error: `G数は0～${MAX_GAMES}で入力してください。` };
  return { games };
}

const KINDS = { BIG: 'BIG', B: 'BIG', REG: 'REG', R: 'REG' };

// The history a text holds, or the first problem with its line number.
// Empty lines and lines starting with "#" are skipped.
export function readHistory(text) {
  const history = emptyHistory();
  const lines = String(text).split(/\r?\n/);
  let seen = 0;
  for (let i = 0; i < lines.length; ++i) {
    const line = lines[i].trim();
    if (line === '' || line.startsWith('#')) continue;
    const at = `${i + 1}行目: `;
    if (seen++ === 0 && line.toLowerCase() === 'start') {
      history.start = true;
      continue;
    }
    if (history.open !== null) {
      return { error: `${at}現在のG数（-）は最後の行にしか書けません。`, line: i + 1 };
    }
    const cells = line.split(/\s*[\t,，]\s*/);
    const kind = cells[0] === '-' ? '-' : KINDS[cells[0].toUpperCase()];
    if (cells.length !== 2 || kind === undefined) {
      return { error: `${at}「BIG<TAB>G数」「REG<TAB>G数」「-<TAB>G数」のどれかにしてください。`, line: i + 1 };
    }
    const games = readGames(cells[1]);
    if (games.error) return { error: at + games.error, line: i + 1 };
    if (kind === '-') {
      history.open = games.games;
      continue;
    }
    if (history.bonuses.length === MAX_BONUSES) {
      return { error: `ボーナスは${MAX_BONUSES}回までです。一日分のデータを入れてください。`, line: i + 1 };
    }
    history.bonuses.push({ kind, games: games.games });
  }
  return { history };
}
