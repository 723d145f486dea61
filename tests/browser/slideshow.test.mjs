// The generated slideshow as a browser shows it: headless Chromium opens the
// package folders that make_slideshows.exe built, served from a loopback
// HTTP server, and a test clicks through them as a viewer would.
//
// SLIDESHOW_WORK_FOLDER: the work folder holding the package folders
// "document", "auto" and "album". SLIDESHOW_SCREENSHOTS: where to save
// screenshots.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';
import { chromium } from 'playwright-core';

const workFolder = process.env.SLIDESHOW_WORK_FOLDER;
const screenshots = process.env.SLIDESHOW_SCREENSHOTS || '.';
assert.ok(workFolder && fs.existsSync(workFolder), 'SLIDESHOW_WORK_FOLDER names the work folder');

const types = {
  '.html': 'text/html', '.htm': 'text/html', '.gif': 'image/gif', '.jpg': 'image/jpeg',
  '.jpeg': 'image/jpeg', '.css': 'text/css',
};

// Serves the work folder, and nothing outside it.
function serve(root) {
  const server = http.createServer((request, response) => {
    const url = new URL(request.url, 'http://127.0.0.1');
    const file = path.resolve(root, '.' + decodeURIComponent(url.pathname));
    if (!file.startsWith(root + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      response.writeHead(404);
      response.end('not found');
      return;
    }
    const type = types[path.extname(file).toLowerCase()] || 'application/octet-stream';
    response.writeHead(200, { 'Content-Type': type });
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

let server, browser, base;

before(async () => {
  server = await serve(path.resolve(workFolder));
  base = `http://127.0.0.1:${server.address().port}`;
  browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'],
  });
});

after(async () => {
  await browser?.close();
  server?.close();
});

// A page of a package, with the live address answered here: nothing leaves
// the machine.
async function open(packageName) {
  const context = await browser.newContext({ viewport: { width: 1100, height: 700 } });
  await context.route('**/*', (route) => {
    const url = new URL(route.request().url());
    if (url.hostname === 'live.ambrel.test')
      return route.fulfill({
        contentType: 'text/html',
        body: '<html><body><h1 id="heading">Live page</h1></body></html>',
      });
    if (url.hostname === '127.0.0.1' || url.protocol === 'data:') return route.continue();
    return route.abort();
  });
  const page = await context.newPage();
  await page.goto(`${base}/${packageName}/index.html`);
  const navigation = page.frame({ name: 'contents' });
  assert.ok(navigation, 'the navigation frame is there');
  await navigation.waitForLoadState('load');
  return { context, page, navigation, main: () => page.frame({ name: 'main' }) };
}

// Waits until the main frame shows a document whose address ends so.
async function shows(show, ending, timeout = 5000) {
  const start = Date.now();
  for (;;) {
    const frame = show.main();
    if (frame && frame.url().endsWith(ending)) {
      await frame.waitForLoadState('load');
      return frame;
    }
    if (Date.now() - start > timeout) assert.fail(`the main frame shows ${frame?.url()}, not ...${ending}`);
    await new Promise((r) => setTimeout(r, 50));
  }
}

const heading = (frame) => frame.locator('#heading').textContent();
const click = (show, selector) => show.navigation.click(selector);
const next = (show) => click(show, 'a[href="javaScript:Next()"]');
const back = (show) => click(show, 'a[href="javaScript:Back()"]');

// A picture that the browser has loaded and drawn.
async function pictureShown(frame, selector) {
  return frame.locator(selector).evaluate((img) => img.complete && img.naturalWidth > 0 && img.width > 0);
}

test('Next and Back step through the entries and wrap at both ends', async () => {
  const show = await open('document');
  try {
    assert.equal(await heading(await shows(show, '/document/resources/welcome.html')), 'Welcome');
    await next(show);
    const second = await shows(show, '/resources/second.htm');
    assert.equal(await heading(second), 'Second page');
    // The page's own folder came along, so its styles apply.
    assert.equal(await second.locator('.styled').evaluate((e) => getComputedStyle(e).color), 'rgb(0, 128, 0)');
    await next(show);
    await shows(show, '/resources/beach.html');
    await next(show);
    assert.equal(await heading(await shows(show, 'http://live.ambrel.test/index.html')), 'Live page');
    await next(show);
    await shows(show, '/resources/welcome.html');
    await back(show);
    await shows(show, 'http://live.ambrel.test/index.html');
    await back(show);
    await shows(show, '/resources/beach.html');
    await show.page.screenshot({ path: path.join(screenshots, 'slideshow-document.png') });
  } finally {
    await show.context.close();
  }
});

test('an entry link shows its entry and Next goes on from there', async () => {
  const show = await open('document');
  try {
    await shows(show, '/resources/welcome.html');
    await show.navigation.getByText('Sunset', { exact: true }).click();
    await shows(show, '/resources/beach.html');
    await next(show);
    await shows(show, 'http://live.ambrel.test/index.html');
    await show.navigation.getByText('Second page', { exact: true }).click();
    await shows(show, '/resources/second.htm');
    await back(show);
    await shows(show, '/resources/welcome.html');
  } finally {
    await show.context.close();
  }
});

test('a photo page shows its picture with the caption', async () => {
  const show = await open('document');
  try {
    await show.navigation.getByText('Sunset', { exact: true }).click();
    const photo = await shows(show, '/resources/beach.html');
    assert.ok(await pictureShown(photo, 'img[src="Beach.JPG"]'), 'the picture is drawn');
    assert.equal((await photo.locator('.caption').textContent()).trim(), 'Sunset');
    // Fitted to the window: 84% of the frame's height.
    const { imageHeight, frameHeight } = await photo.evaluate(() => ({
      imageHeight: document.querySelector('img').getBoundingClientRect().height,
      frameHeight: window.innerHeight,
    }));
    assert.ok(Math.abs(imageHeight - 0.84 * frameHeight) < 2, `${imageHeight} of ${frameHeight}`);
    await show.page.screenshot({ path: path.join(screenshots, 'slideshow-photo.png') });
  } finally {
    await show.context.close();
  }
});

test('an automated presentation steps by itself until Stop, and Start goes on', async () => {
  const show = await open('auto');
  try {
    // The frame's load event starts the stepping at the first entry.
    await shows(show, '/resources/one.html');
    await shows(show, '/resources/two.html', 3000);
    await shows(show, '/resources/three.html', 3000);
    await shows(show, '/resources/one.html', 3000);
    await click(show, 'a[href="javaScript:stopanimation()"]');
    const stoppedAt = show.main().url();
    await new Promise((r) => setTimeout(r, 2500));
    assert.equal(show.main().url(), stoppedAt, 'Stop halts the stepping');
    await show.page.screenshot({ path: path.join(screenshots, 'slideshow-automated.png') });
    await click(show, 'a[href="javaScript:startanimation()"]');
    const after = stoppedAt.endsWith('one.html') ? '/resources/two.html' : '/resources/three.html';
    await shows(show, after, 1500);
  } finally {
    await show.context.close();
  }
});

test('a photo album shows thumbnails beside the links', async () => {
  const show = await open('album');
  try {
    await shows(show, '/album/resources/beach.html');
    for (const name of ['Beach.JPG', 'Forest.jpg', 'Lake.jpeg']) {
      const selector = `img[src="${name}"]`;
      assert.ok(await pictureShown(show.navigation, selector), `${name} is drawn`);
      assert.equal(await show.navigation.locator(selector).evaluate((img) => img.height), 50);
    }
    await show.navigation.locator('img[src="Lake.jpeg"]').click();
    const lake = await shows(show, '/resources/lake.html');
    assert.equal((await lake.locator('.caption').textContent()).trim(), 'Lake');
    assert.ok(await pictureShown(lake, 'img[src="Lake.jpeg"]'));
    await next(show);
    await shows(show, '/resources/beach.html');
    await show.page.screenshot({ path: path.join(screenshots, 'slideshow-album.png') });
  } finally {
    await show.context.close();
  }
});
