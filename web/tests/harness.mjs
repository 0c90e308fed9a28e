// What the browser tests share: the built site served on 127.0.0.1, the
// system's Chromium driven headless, and sorimu-cli for the figures the page
// must equal.
import { execFile } from 'node:child_process';
import { mkdtemp, readFile, rm } from 'node:fs/promises';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { promisify } from 'node:util';

import puppeteer from 'puppeteer-core';

const here = path.dirname(fileURLToPath(import.meta.url));
const root = path.resolve(here, '..', '..');

export const SITE = path.resolve(process.env.SORIMU_SITE ?? path.join(root, 'build-web', 'site'));
export const CLI = path.resolve(process.env.SORIMU_CLI ?? path.join(root, 'build', 'sorimu-cli'));
export const SHOTS = path.resolve(process.env.SORIMU_SHOTS ?? path.join(root, 'build-web', 'screenshots'));
const CHROMIUM = process.env.SORIMU_CHROMIUM ?? '/usr/bin/chromium';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
};

// A static server of the site, as any static host would serve it.
export async function serveSite(site = SITE) {
  const server = createServer(async (request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    const file = path.join(site, name.endsWith('/') ? `${name}index.html` : name);
    if (!file.startsWith(site)) {
      response.writeHead(403).end();
      return;
    }
    try {
      const body = await readFile(file);
      response.writeHead(200, { 'Content-Type': TYPES[path.extname(file)] ?? 'application/octet-stream' });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return {
    url: `http://127.0.0.1:${server.address().port}/`,
    close: () =>
      new Promise((resolve) => {
        server.close(resolve);
        server.closeAllConnections();
      }),
  };
}

// Debian's Chromium, headless, with a profile of its own and nothing that
// reaches out to the network by itself.
export async function launchBrowser() {
  const profile = await mkdtemp(path.join(tmpdir(), 'sorimu-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: CHROMIUM,
    headless: true,
    userDataDir: profile,
    args: [
      '--no-sandbox',
      '--disable-gpu',
      '--disable-quic',
      '--no-first-run',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
      '--lang=ja-JP',
      '--font-render-hinting=none',
    ],
  });
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    await rm(profile, { recursive: true, force: true });
  };
  return browser;
}

export const PHONE = { width: 360, height: 780, deviceScaleFactor: 1, isMobile: true, hasTouch: true };
export const DESKTOP = { width: 1280, height: 800, deviceScaleFactor: 1 };

// A page in a browser context of its own (its own storage and service
// worker), closed with it.
export async function newPage(browser, viewport = PHONE) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  page.close = () => context.close();
  await page.setViewport(viewport);
  return page;
}

// A page of the site at `hash`, loaded, with the core's workers ready.
export async function openPage(browser, url, { viewport = PHONE, hash = '' } = {}) {
  const page = await newPage(browser, viewport);
  page.errors = [];
  page.on('pageerror', (error) => page.errors.push(error));
  await page.goto(url + hash, { waitUntil: 'load' });
  await page.waitForSelector('body[data-ready=true]', { timeout: 10000 });
  return page;
}

export async function showTab(page, name) {
  await page.click(`#tabbtn-${name}`);
  await page.waitForSelector(`#tab-${name}:not([hidden])`);
}

// sorimu-cli's stdout, stderr and exit status.
export async function cli(...args) {
  try {
    const { stdout, stderr } = await promisify(execFile)(CLI, args, { maxBuffer: 1 << 26 });
    return { stdout, stderr, status: 0 };
  } catch (error) {
    if (typeof error.code !== 'number') throw error;
    return { stdout: error.stdout, stderr: error.stderr, status: error.code };
  }
}

export const text = (page, selector) => page.$eval(selector, (element) => element.textContent);
