// The page's side of the worker: each request a promise. A request in
// flight can be stopped only by ending the worker, so restart() does that
// and starts a fresh one; the requests it had fail with {cancelled: true}.

export class CoreClient {
  constructor(url = 'worker.js') {
    this.url = url;
    this.nextId = 1;
    this.start();
  }

  start() {
    this.requests = new Map();
    this.worker = new Worker(this.url);
    this.ready = new Promise((resolve, reject) => {
      this.resolveReady = resolve;
      this.worker.onerror = (event) => reject(new Error(event.message));
    });
    this.worker.onmessage = ({ data }) => this.receive(data);
  }

  receive(data) {
    if (data.ready) {
      this.version = data.version;
      this.resolveReady(data.version);
      return;
    }
    const request = this.requests.get(data.id);
    if (!request) return;
    if ('progress' in data) {
      request.onProgress?.(data.progress);
      return;
    }
    this.requests.delete(data.id);
    if ('error' in data) request.reject(new Error(data.error));
    else request.resolve(data.value);
  }

  // The answer of the worker's `op` (see worker.js) for `args`.
  call(op, args = {}, onProgress = null) {
    const id = this.nextId++;
    return new Promise((resolve, reject) => {
      this.requests.set(id, { resolve, reject, onProgress });
      this.worker.postMessage({ id, op, args });
    });
  }

  busy() {
    return this.requests.size > 0;
  }

  restart() {
    this.worker.terminate();
    const requests = this.requests;
    this.start();
    for (const request of requests.values()) {
      const error = new Error('cancelled');
      error.cancelled = true;
      request.reject(error);
    }
  }
}
