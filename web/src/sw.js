// The service worker: every file of the page is cached when it installs, so
// the page opens and works offline from then on. The cache is named after
// the build (build.mjs fills in CACHE and FILES), so a new build replaces
// the old files in one step and the old cache is dropped.
const CACHE = '__CACHE__';
const FILES = __FILES__;

self.addEventListener('install', (event) => {
  event.waitUntil(
    caches
      .open(CACHE)
      .then((cache) => cache.addAll(FILES))
      .then(() => self.skipWaiting()),
  );
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
    caches
      .keys()
      .then((names) => Promise.all(names.filter((name) => name !== CACHE).map((name) => caches.delete(name))))
      .then(() => self.clients.claim()),
  );
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(
    caches
      .open(CACHE)
      .then((cache) =>
        cache
          .match(request, { ignoreSearch: true })
          .then((hit) => hit ?? (request.mode === 'navigate' ? cache.match('./') : undefined))
          .then((hit) => hit ?? fetch(request)),
      ),
  );
});
