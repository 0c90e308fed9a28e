// Assembles the site: the page and its scripts bundled (with the charting
// library, so nothing is fetched from elsewhere), the worker, the core's
// sorimu-core.js and .wasm, the icons, the manifest, and the service worker
// with a cache named after the content of this build.
//
//   node build.mjs --core DIR --icons DIR --out DIR --version V
import { createHash } from 'node:crypto';
import { copyFile, mkdir, readFile, readdir, rm, writeFile } from 'node:fs/promises';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { parseArgs } from 'node:util';

import * as esbuild from 'esbuild';

const here = path.dirname(fileURLToPath(import.meta.url));
const src = path.join(here, 'src');

const { values: options } = parseArgs({
  options: {
    core: { type: 'string' },
    icons: { type: 'string' },
    out: { type: 'string' },
    version: { type: 'string' },
  },
});
for (const name of ['core', 'icons', 'out', 'version']) {
  if (!options[name]) throw new Error(`build.mjs needs --${name}`);
}
const out = path.resolve(options.out);

await rm(out, { recursive: true, force: true });
await mkdir(path.join(out, 'icons'), { recursive: true });

await esbuild.build({
  entryPoints: [path.join(src, 'app.js'), path.join(src, 'worker.js'), path.join(src, 'app.css')],
  outdir: out,
  bundle: true,
  minify: true,
  format: 'iife',
  target: ['es2020'],
  legalComments: 'eof',
  logLevel: 'warning',
});

const copies = [
  [path.join(src, 'index.html'), 'index.html'],
  [path.join(src, 'manifest.webmanifest'), 'manifest.webmanifest'],
  [path.join(options.core, 'sorimu-core.js'), 'sorimu-core.js'],
  [path.join(options.core, 'sorimu-core.wasm'), 'sorimu-core.wasm'],
  [path.join(options.icons, 'jp.example.sorimu.svg'), 'icons/sorimu.svg'],
  [path.join(options.icons, '256', 'jp.example.sorimu.png'), 'icons/sorimu-256.png'],
  [path.join(options.icons, '128', 'jp.example.sorimu.png'), 'icons/sorimu-128.png'],
];
for (const [from, to] of copies) await copyFile(from, path.join(out, to));

// Every file but the service worker, in a fixed order, names and bytes both
// counted, so the cache changes exactly when the site does.
async function listFiles(dir, prefix = '') {
  const names = [];
  for (const entry of (await readdir(dir, { withFileTypes: true })).sort((a, b) => (a.name < b.name ? -1 : 1))) {
    const name = prefix + entry.name;
    if (entry.isDirectory()) names.push(...(await listFiles(path.join(dir, entry.name), `${name}/`)));
    else names.push(name);
  }
  return names;
}
const files = await listFiles(out);
const hash = createHash('sha256');
for (const name of files) hash.update(name).update('\0').update(await readFile(path.join(out, name)));
const cache = `sorimu-${options.version}-${hash.digest('hex').slice(0, 12)}`;

const worker = (await readFile(path.join(src, 'sw.js'), 'utf8'))
  .replace('__CACHE__', cache)
  .replace('__FILES__', JSON.stringify(['./', ...files]));
await writeFile(path.join(out, 'sw.js'), worker);
console.log(`site: ${out} (cache ${cache})`);
