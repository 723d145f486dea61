// The generated slideshow as a browser shows it: headless Chromium opens the
// package folders that make_slideshows.exe built, served from a loopback
// HTTP server and opened from file: addresses, and a test clicks and types
// through them as a viewer would.
//
// SLIDESHOW_WORK_FOLDER: the work folder holding the package folders
// "document", "auto", "album", "empty", "dissolve", "wipe", "box", "names",
// "flash", and "cp1251" and "cp932" made under those ANSI code pages.
// SLIDESHOW_SCREENSHOTS: where to save screenshots.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const workFolder = process.env.SLIDESHOW_WORK_FOLDER;
const screenshots = process.env.SLIDESHOW_SCREENSHOTS || '.';
assert.ok(workFolder && fs.existsSync(workFolder), 'SLIDESHOW_WORK_FOLDER names the work folder');

const types = {
  '.html': 'text/html', '.htm': 'text/html', '.gif': 'image/gif', '.jpg': 'image/jpeg',
  '.jpeg': 'image/jpeg', '.png': 'image/png', '.css': 'text/css', '.js': 'text/javascript',
  '.wasm': 'application/wasm', '.swf': 'application/x-shockwave-flash',
};

// The paths the server did not find, as a web server's log lists them.
const notFound = [];

// Serves the work folder, and nothing outside it, with names in their own
// letter case as any server on a case-sensitive file system does.
function serve(root) {
  const server = http.createServer((request, response) => {
    const url = new URL(request.url, 'http://127.0.0.1');
    const file = path.resolve(root, '.' + decodeURIComponent(url.pathname));
    if (!file.startsWith(root + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      notFound.push(url.pathname);
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

let server, browser;
const bases = {};

before(async () => {
  server = await serve(path.resolve(workFolder));
  bases.http = `http://127.0.0.1:${server.address().port}`;
  bases.file = pathToFileURL(path.resolve(workFolder)).href;
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

// A package in a browser window, with the live address answered here:
// nothing leaves the machine. Script errors of any page are collected, and
// closing asserts that there were none.
async function open(packageName, mode, options = {}) {
  const context = await browser.newContext({ viewport: { width: 1100, height: 700 }, ...options });
  await context.route('**/*', (route) => {
    const url = new URL(route.request().url());
    if (url.hostname === 'live.ambrel.test')
      return route.fulfill({
        contentType: 'text/html',
        body: '<html><body><h1 id="heading">Live page</h1></body></html>',
      });
    if (url.hostname === '127.0.0.1' || url.protocol === 'data:' || url.protocol === 'file:') return route.continue();
    return route.abort();
  });
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
  await page.goto(`${bases[mode]}/${packageName}/index.html`);
  const navigation = page.frame({ name: 'contents' });
  assert.ok(navigation, 'the navigation frame is there');
  await navigation.waitForLoadState('load');
  const close = async () => {
    await context.close();
    assert.deepEqual(errors, [], 'no page had a script error');
  };
  return { context, page, navigation, main: () => page.frame({ name: 'main' }), close };
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

// The document presentation's entries: title and the end of its address.
const documentEntries = [
  ['Welcome & "hi" \u2013 it\'s \u00e9t\u00e9', '/resources/welcome.html'],
  ['Second page', '/resources/second.htm'],
  ['Sunset', '/resources/beach.html'],
  ['Live page', 'http://live.ambrel.test/index.html'],
];

const albumEntries = [
  ['Sunset', '/resources/beach.html'],
  ['Forest', '/resources/forest.html'],
  ['Lake', '/resources/lake.html'],
];

// The main frame shows entry k of the list, the list marks it and only it,
// in view, and the position says so.
async function at(show, k, entries = documentEntries) {
  const frame = await shows(show, entries[k - 1][1]);
  await show.navigation.waitForFunction((title) => {
    const marked = document.querySelectorAll('[aria-current]');
    return marked.length === 1 && marked[0].textContent.trim() === title;
  }, entries[k - 1][0], { timeout: 3000 });
  const { position, inView } = await show.navigation.evaluate(() => {
    const box = document.querySelector('[aria-current="page"]').getBoundingClientRect();
    return { position: document.querySelector('.position').textContent, inView: box.top >= 0 && box.bottom <= innerHeight };
  });
  assert.equal(position, `${k} / ${entries.length}`);
  assert.ok(inView, 'the marked entry is scrolled into view');
  return frame;
}

const heading = (frame) => frame.locator('#heading').textContent();
const button = (show, name) => show.navigation.getByRole('button', { name, exact: true });
const next = (show) => button(show, 'Next').click();
const back = (show) => button(show, 'Back').click();
const link = (show, title) => show.navigation.getByRole('link', { name: title, exact: true });
const pause = (ms) => new Promise((r) => setTimeout(r, ms));

// A picture that the browser has loaded and drawn.
async function pictureShown(frame, selector) {
  return frame.locator(selector).evaluate((img) => img.complete && img.naturalWidth > 0 && img.width > 0);
}

// WCAG contrast of two colours given as [r, g, b] in 0..255.
function contrast(a, b) {
  const luminance = (c) => {
    const [r, g, v] = c.map((x) => x / 255).map((x) => (x <= 0.03928 ? x / 12.92 : ((x + 0.055) / 1.055) ** 2.4));
    return 0.2126 * r + 0.7152 * g + 0.0722 * v;
  };
  const [hi, lo] = [luminance(a), luminance(b)].sort((x, y) => y - x);
  return (hi + 0.05) / (lo + 0.05);
}
const rgba = (text) => text.match(/[\d.]+/g).map(Number).concat(1).slice(0, 4);
const over = (top, ground) => top.slice(0, 3).map((c, n) => c * top[3] + ground[n] * (1 - top[3]));

for (const mode of ['http', 'file']) {
  test(`${mode}: Next and Back step through the entries and wrap at both ends`, async () => {
    const show = await open('document', mode);
    try {
      assert.equal(await heading(await at(show, 1)), 'Welcome');
      await next(show);
      const second = await at(show, 2);
      assert.equal(await heading(second), 'Second page');
      // The page's own folder came along, so its styles apply.
      assert.equal(await second.locator('.styled').evaluate((e) => getComputedStyle(e).color), 'rgb(0, 128, 0)');
      await next(show);
      await at(show, 3);
      await next(show);
      assert.equal(await heading(await at(show, 4)), 'Live page');
      await next(show);
      await at(show, 1);
      await back(show);
      await at(show, 4);
      await back(show);
      await at(show, 3);
      // The browser's own Back: our pages say when they are shown again; over
      // HTTP the frameset also reads the address of the package's pages.
      await next(show);
      await at(show, 4);
      await show.navigation.evaluate(() => history.back());
      await at(show, 3);
      if (mode === 'http') {
        await link(show, 'Second page').click();
        await at(show, 2);
        await show.navigation.evaluate(() => history.back());
        await at(show, 3);
      }
    } finally {
      await show.close();
    }
  });

  test(`${mode}: an entry link shows its entry and Next goes on from there`, async () => {
    const show = await open('document', mode);
    try {
      await at(show, 1);
      await link(show, 'Sunset').click();
      await at(show, 3);
      await next(show);
      await at(show, 4);
      await link(show, 'Second page').click();
      await at(show, 2);
      await back(show);
      await at(show, 1);
    } finally {
      await show.close();
    }
  });

  test(`${mode}: every key steps to its entry, from the list and from a photo page`, async () => {
    const show = await open('document', mode);
    const keys = [['ArrowRight', 4], ['ArrowDown', 4], ['PageDown', 4], ['Space', 4], ['ArrowLeft', 2],
      ['ArrowUp', 2], ['PageUp', 2], ['Backspace', 2], ['Home', 1], ['End', 4]];
    try {
      for (const from of ['list', 'photo page'])
        for (const [key, entry] of keys) {
          await link(show, 'Sunset').click();
          const photo = await at(show, 3);
          if (from === 'photo page') await photo.locator('img').click();
          await show.page.keyboard.press(key);
          await at(show, entry).catch((e) => assert.fail(`${key} from the ${from}: ${e.message}`));
        }
      // Typing in a form field of a page is not stepping.
      await link(show, 'Sunset').click();
      const photo = await at(show, 3);
      await photo.evaluate(() => document.body.appendChild(document.createElement('input')).focus());
      await show.page.keyboard.type('f p');
      await show.page.keyboard.press('ArrowRight');
      await pause(500);
      await at(show, 3);
      assert.equal(await photo.locator('input').inputValue(), 'f p');
      assert.equal(await show.page.evaluate(() => document.fullscreenElement), null);
    } finally {
      await show.close();
    }
  });

  test(`${mode}: full screen holds both frames, and the list folds away and back`, async () => {
    const show = await open('album', mode);
    const fullscreen = () => show.page.evaluate(() => document.fullscreenElement === document.documentElement);
    const until = (condition) => show.page.waitForFunction(condition, null, { timeout: 3000 });
    try {
      const photo = await shows(show, '/resources/beach.html');
      // Each way in, then each way out.
      const ways = [
        [() => show.page.keyboard.press('f'), () => show.page.keyboard.press('f')],
        [() => button(show, 'Full screen').click(), () => show.page.keyboard.press('Escape')],
        [() => photo.locator('img').click().then(() => show.page.keyboard.press('f')),
          () => button(show, 'Leave full screen').click()],
      ];
      await link(show, 'Sunset').focus();
      for (const [enter, leave] of ways) {
        await enter();
        await until(() => document.fullscreenElement === document.documentElement);
        assert.equal(await button(show, 'Leave full screen').getAttribute('aria-pressed'), 'true');
        await leave();
        await until(() => !document.fullscreenElement);
        assert.equal(await button(show, 'Full screen').getAttribute('aria-pressed'), 'false');
      }
      // Folded to the handle by the key, back by the handle; out of full
      // screen the list comes back by itself.
      await button(show, 'Full screen').click();
      await until(() => document.fullscreenElement);
      await show.page.keyboard.press('l');
      await until(() => document.querySelector('frameset').getAttribute('cols') === '20,*');
      await show.page.screenshot({ path: path.join(screenshots, `slideshow-${mode}-list-hidden.png`) });
      await button(show, 'Show list').click();
      await until(() => document.querySelector('frameset').getAttribute('cols') === '250,*');
      await button(show, 'Hide list').click();
      assert.equal(await fullscreen(), true);
      await until(() => document.querySelector('frameset').getAttribute('cols') === '20,*');
      await show.page.keyboard.press('Escape');
      await until(() => !document.fullscreenElement && document.querySelector('frameset').getAttribute('cols') === '250,*');
    } finally {
      await show.close();
    }
  });

  test(`${mode}: an automated presentation steps by itself, pauses and plays on`, async () => {
    const show = await open('auto', mode);
    const entries = [['One', '/resources/one.html'], ['Two', '/resources/two.html'], ['Three', '/resources/three.html']];
    const state = () => show.navigation.evaluate(() => ({
      status: document.querySelector('.status').textContent,
      line: document.querySelector('.progress span').getAnimations().map((a) => [a.effect.getTiming().duration, a.playState]),
    }));
    try {
      // The frame's load event starts the stepping at the first entry, and
      // the highlight follows it.
      await at(show, 1, entries);
      await at(show, 2, entries);
      await at(show, 3, entries);
      await at(show, 1, entries);
      assert.deepEqual(await state(), { status: 'Playing \u00b7 1 s a page', line: [[1000, 'running']] });
      await show.navigation.locator('.status').click();
      for (const [stop, go] of [['key', 'key'], ['button', 'button'], ['link', 'button']]) {
        if (stop === 'key') await show.page.keyboard.press('p');
        else if (stop === 'button') await button(show, 'Pause').click();
        else await link(show, 'Two').click().then(() => at(show, 2, entries));
        const stoppedAt = show.main().url();
        assert.match((await state()).status, /^Paused/);
        assert.equal((await state()).line[0][1], 'paused');
        await pause(2500);
        assert.equal(show.main().url(), stoppedAt, `stopped by ${stop}`);
        if (go === 'key') await show.page.keyboard.press('p');
        else await button(show, 'Play').click();
        assert.match((await state()).status, /^Playing/);
        const k = entries.findIndex(([, ending]) => stoppedAt.endsWith(ending)) + 1;
        await at(show, (k % 3) + 1, entries);
      }
      await show.page.screenshot({ path: path.join(screenshots, `slideshow-${mode}-automated.png`) });
    } finally {
      await show.close();
    }
  });
}

test('a photo page fits its picture in the frame, never beyond its size, with a readable caption', async () => {
  for (const [packageName, picture, fitted] of [['document', 'Beach.JPG', true], ['box', 'Lake.jpeg', true],
    ['wipe', 'Lake.jpeg', false]]) {
    const show = await open(packageName, 'http');
    try {
      if (packageName === 'document') await link(show, 'Sunset').click();
      const photo = await shows(show, `/resources/${picture.split('.')[0].toLowerCase()}.html`);
      await photo.waitForFunction(() => document.querySelector('img').complete);
      assert.ok(await pictureShown(photo, `img[src="${picture}"]`), 'the picture is drawn');
      const m = await photo.evaluate(() => {
        const img = document.querySelector('img');
        const box = img.getBoundingClientRect();
        const caption = document.querySelector('.caption');
        const captionBox = caption.getBoundingClientRect();
        return { width: box.width, height: box.height, naturalWidth: img.naturalWidth, naturalHeight: img.naturalHeight,
          inside: box.left >= 0 && box.top >= 0 && box.right <= innerWidth && box.bottom <= innerHeight,
          captionInView: captionBox.top >= 0 && captionBox.bottom <= innerHeight, caption: caption.textContent.trim(),
          text: getComputedStyle(caption).color, ground: getComputedStyle(caption).backgroundColor };
      });
      assert.ok(m.captionInView, `${packageName}: the caption is in view`);
      assert.ok(m.width <= m.naturalWidth && m.height <= m.naturalHeight, `${packageName}: not beyond its size`);
      assert.ok(Math.abs(m.width / m.height - m.naturalWidth / m.naturalHeight) < 0.01, 'in its own proportions');
      assert.equal(m.inside, fitted, `${packageName}: inside the frame when fitted`);
      if (!fitted) assert.equal(m.height, m.naturalHeight, 'at its own size');
      // Readable over a white and over a black picture (WCAG AA: 4.5).
      for (const ground of [[255, 255, 255], [0, 0, 0]])
        assert.ok(contrast(rgba(m.text), over(rgba(m.ground), ground)) >= 4.5, `caption on ${ground}`);
    } finally {
      await show.close();
    }
  }
});

test('the transition choices play on photo pages, and not with reduced motion', async () => {
  // Standard (the album) cuts; the others animate what their names say.
  const choices = [['album', 'beach', []], ['document', 'beach', ['opacity']], ['dissolve', 'lake', ['filter']],
    ['wipe', 'lake', ['clipPath']], ['box', 'lake', ['clipPath']]];
  for (const reducedMotion of ['no-preference', 'reduce'])
    for (const [packageName, page, animated] of choices) {
      const show = await open(packageName, 'http', { reducedMotion });
      try {
        if (packageName === 'document') await link(show, 'Sunset').click();
        const photo = await shows(show, `/resources/${page}.html`);
        await photo.waitForFunction(() => document.querySelector('img').complete);
        const properties = await photo.locator('img').evaluate((img) => img.getAnimations().flatMap((a) =>
          Object.keys(a.effect.getKeyframes()[0]).filter((p) => !['offset', 'computedOffset', 'easing', 'composite'].includes(p))));
        assert.deepEqual(properties, reducedMotion === 'reduce' ? [] : animated, `${packageName}, ${reducedMotion}`);
      } finally {
        await show.close();
      }
    }
});

test('the list is a navigation of links under headings, with named buttons of a comfortable size', async () => {
  const show = await open('album', 'http');
  try {
    const list = show.navigation.getByRole('navigation', { name: 'Pages' });
    assert.deepEqual(await list.getByRole('heading').allTextContents(), ['Summer', 'Autumn']);
    assert.deepEqual(await list.getByRole('listitem').getByRole('link').allTextContents(), ['Sunset', 'Forest', 'Lake']);
    // Keyboard alone: Tab reaches the buttons, which show where the focus is.
    await show.navigation.locator('h1, [role="heading"]').first().click();
    const names = [];
    for (let n = 0; n < 4; ++n) {
      await show.page.keyboard.press('Tab');
      names.push(await show.navigation.evaluate(() => {
        const e = document.activeElement;
        const box = e.getBoundingClientRect();
        return [e.textContent.trim(), box.height >= 32, getComputedStyle(e).outlineStyle !== 'none'];
      }));
    }
    assert.deepEqual(names, [['Back', true, true], ['Next', true, true], ['Full screen', true, true],
      ['Hide list', true, true]]);
    await show.page.keyboard.press('Tab');
    await show.page.keyboard.press('Tab');
    await show.page.keyboard.press('Enter');
    await at(show, 2, albumEntries);
    // Texts of the frame against their ground: WCAG AA.
    const pairs = await show.navigation.evaluate(() => {
      const ground = (e) => {
        for (; e; e = e.parentElement) {
          const c = getComputedStyle(e).backgroundColor;
          if (!/rgba\(.*, 0\)$/.test(c) && c !== 'transparent') return c;
        }
        return getComputedStyle(document.documentElement).backgroundColor;
      };
      return [...document.querySelectorAll('.entries a, .entries h2, .position, .button, .text-button, .foot, p')]
        .filter((e) => e.textContent.trim())
        .map((e) => [e.textContent.trim().slice(0, 20), getComputedStyle(e).color, ground(e)]);
    });
    for (const [text, color, ground] of pairs)
      assert.ok(contrast(rgba(color), rgba(ground)) >= 4.5, `"${text}": ${color} on ${ground}`);
    for (const name of ['Beach.JPG', 'Forest.jpg', 'Lake.jpeg']) {
      assert.ok(await pictureShown(show.navigation, `img[src="${name}"]`), `${name} is drawn`);
      assert.equal(await show.navigation.locator(`img[src="${name}"]`).evaluate((img) => img.height), 50);
    }
  } finally {
    await show.close();
  }
});

test('a photo album shows thumbnails beside the links', async () => {
  const show = await open('album', 'http');
  try {
    await shows(show, '/album/resources/beach.html');
    await show.navigation.locator('img[src="Lake.jpeg"]').click();
    const lake = await shows(show, '/resources/lake.html');
    assert.equal((await lake.locator('.caption').textContent()).trim(), 'Lake');
    assert.ok(await pictureShown(lake, 'img[src="Lake.jpeg"]'));
    await next(show);
    await shows(show, '/resources/beach.html');
  } finally {
    await show.close();
  }
});

test('an empty presentation shows its start page, and stepping stays there', async () => {
  for (const mode of ['http', 'file']) {
    const show = await open('empty', mode);
    try {
      const start = await shows(show, '/empty/resources/main.html');
      await start.locator('h1').click();
      for (const key of ['ArrowRight', 'ArrowLeft', 'Home', 'End']) await show.page.keyboard.press(key);
      await show.navigation.evaluate(() => { Next(); Back(); Reset(); });
      await pause(500);
      assert.ok(show.main().url().endsWith('/empty/resources/main.html'), show.main().url());
      assert.equal(await button(show, 'Next').isDisabled(), true);
      await link(show, 'Help').click();
      assert.match(await (await shows(show, '/resources/help.html')).locator('h1').textContent(), /Using/);
    } finally {
      await show.close();
    }
  }
});

test('screenshots: a document presentation and an album, in a window and full screen', async () => {
  for (const [width, height] of [[1280, 720], [1920, 1080]])
    for (const [packageName, title] of [['document', 'Sunset'], ['album', 'Forest']]) {
      const show = await open(packageName, 'http', { viewport: { width, height } });
      try {
        await link(show, title).click();
        const photo = await shows(show, title === 'Sunset' ? '/resources/beach.html' : '/resources/forest.html');
        await photo.waitForFunction(() => document.querySelector('img').complete);
        await pause(1300);
        await show.page.screenshot({ path: path.join(screenshots, `slideshow-${packageName}-${width}x${height}.png`) });
        await show.page.keyboard.press('f');
        await show.page.keyboard.press('l');
        await show.page.waitForFunction(() => document.fullscreenElement &&
          document.querySelector('frameset').getAttribute('cols') === '20,*');
        await pause(300);
        await show.page.screenshot({ path: path.join(screenshots, `slideshow-${packageName}-${width}x${height}-full.png`) });
      } finally {
        await show.close();
      }
    }
});

// ---- Texts, names and pages of any kind ----------------------------------

const namesEntries = [
  ['Report <saved> & "complete"', '/resources/Report.HTM', 'Report'],
  ['Results #2', '/resources/Results%20%232.html', 'Results #2'],
  ['A hundred percent', '/resources/100%25.html', '100%'],
  ['Spaced \u00e9t\u00e9', '/resources/My%20page%20%C3%A9t%C3%A9.html', 'My page \u00e9t\u00e9'],
  ['Live \'query\'', 'http://live.ambrel.test/index.html?a=1&b=%222%22', 'Live page'],
];

test('http: texts show as typed, names of any kind open, and a saved page keeps its pictures and its script', async () => {
  const show = await open('names', 'http');
  try {
    const shown = await show.navigation.evaluate(() => {
      const title = document.querySelector('span.header');
      return {
        title: title.textContent,
        subtitle: title.parentElement.lastChild.textContent.trim(),
        groups: [...document.querySelectorAll('.entries h2')].map((h) => h.textContent),
        entries: [...document.querySelectorAll('.entries a')].map((a) => a.textContent),
        credits: document.querySelectorAll('p.foot')[document.querySelectorAll('p.foot').length - 1].textContent,
        added: document.querySelectorAll('.contents b, .contents i, .contents draft').length,
        scripts: document.querySelectorAll('.contents script').length,
        links: [...document.querySelectorAll('.entries a')].map((a) => a.href),
        table: address.slice(1).map((a) => new URL(a, location.href).href),
      };
    });
    assert.equal(shown.title, 'Q&A <draft> "quoted" it\'s');
    assert.equal(shown.subtitle, '<i>not italic</i>');
    assert.deepEqual(shown.groups, ['<b>Group</b> & \'more\'']);
    assert.deepEqual(shown.entries, ['Report <saved> & "complete"', 'Results #2', 'A hundred percent',
      'Spaced \u00e9t\u00e9', 'Live \'query\'']);
    assert.equal(shown.credits, 'Ann & <b>Bob</b>\u2022 "1" & \'2\'');
    assert.equal(shown.added, 0, 'no text made an element of its own');
    assert.equal(shown.scripts, 1, 'the stepping script is the only one');
    assert.deepEqual(shown.table, shown.links, 'the stepping script and the links name the same pages');

    // The saved page, its folder in its own mixed case.
    const report = await at(show, 1, namesEntries);
    await report.waitForFunction(() => [...document.images].every((img) => img.complete));
    for (const picture of ['#logo', '#chart']) assert.ok(await pictureShown(report, picture), `${picture} is drawn`);
    assert.equal(await report.locator('body').evaluate((b) => getComputedStyle(b).backgroundColor), 'rgb(238, 244, 255)');
    assert.equal(await report.locator('#name').textContent(), 'Window name: ""');
    await show.page.screenshot({ path: path.join(screenshots, 'slideshow-names.png') });
    // Every other entry, by its link and by stepping.
    for (let k = 2; k <= namesEntries.length; ++k) {
      await link(show, namesEntries[k - 1][0]).click();
      const frame = await at(show, k, namesEntries);
      assert.equal(await heading(frame), namesEntries[k - 1][2]);
    }
    await next(show);
    await at(show, 1, namesEntries);
    for (let k = 2; k <= namesEntries.length; ++k) {
      await next(show);
      await at(show, k, namesEntries);
    }
    assert.deepEqual(notFound.filter((p) => p.startsWith('/names/')), [], 'the server found every file');
  } finally {
    await show.close();
  }
});


// The colour of points of a screenshot, read by the browser itself.
async function colours(page, png, points) {
  return page.evaluate(async ({ data, points }) => {
    const img = new Image();
    img.src = `data:image/png;base64,${data}`;
    await img.decode();
    const canvas = document.createElement('canvas');
    canvas.width = img.width;
    canvas.height = img.height;
    const context = canvas.getContext('2d');
    context.drawImage(img, 0, 0);
    return points.map(([x, y]) => [...context.getImageData(Math.round(x), Math.round(y), 1, 1).data.slice(0, 3)]);
  }, { data: png.toString('base64'), points });
}

// Over HTTP and from a file, where pages may fetch no file beside them.
for (const mode of ['http', 'file']) {
  test(`${mode}: a Flash entry plays its movie in the player the package carries`, async () => {
    const { background, rectangle } = await import('./make_swf.mjs');
    const show = await open('flash', mode);
    try {
      const movie = await shows(show, '/flash/resources/movie.swf.html');
      assert.equal((await movie.locator('.caption').textContent()).trim(), 'Blue & yellow');
      const player = movie.locator('ruffle-player');
      await player.waitFor();
      // The stage (400 x 300) is fitted into the player, centred: a point
      // near its corner shows the background, its middle the rectangle.
      const near = (a, b) => a.every((c, n) => Math.abs(c - b[n]) <= 8);
      let seen = [];
      for (const start = Date.now(); Date.now() - start < 20000; await pause(250)) {
        const box = await player.boundingBox();
        const scale = Math.min(box.width / 400, box.height / 300);
        const left = (box.width - 400 * scale) / 2;
        const top = (box.height - 300 * scale) / 2;
        const png = await player.screenshot();
        const ratio = png.readUInt32BE(16) / box.width; // the picture's width, from its header
        seen = await colours(movie, png, [[(left + 20 * scale) * ratio, (top + 20 * scale) * ratio],
          [(left + 200 * scale) * ratio, (top + 150 * scale) * ratio]]);
        if (near(seen[0], background) && near(seen[1], rectangle)) break;
      }
      assert.ok(near(seen[0], background), `background ${seen[0]}`);
      assert.ok(near(seen[1], rectangle), `rectangle ${seen[1]}`);
      assert.deepEqual(notFound.filter((p) => p.startsWith('/flash/')), []);
      await show.page.screenshot({ path: path.join(screenshots, `slideshow-flash-${mode}.png`) });
    } finally {
      await show.close();
    }
  });
}

// ---- Presentations made on other systems ----------------------------------

const codePages = {
  cp1251: {
    charset: 'windows-1251',
    title: '\u041f\u043e\u0435\u0437\u0434\u043a\u0430 \u00ab\u041b\u0435\u0442\u043e\u00bb',
    author: '\u0410\u043d\u043d\u0430',
    group: '\u0424\u043e\u0442\u043e',
    entries: [['\u0417\u0430\u043a\u0430\u0442', '/resources/\u043f\u043b\u044f\u0436.html'],
      ['\u041e\u0442\u0447\u0451\u0442', '/resources/\u041e\u0442\u0447\u0451\u0442.html']],
    picture: '\u041f\u043b\u044f\u0436.jpg',
  },
  cp932: {
    charset: 'Shift_JIS',
    title: '\u65c5\u884c\u306e\u8868\u793a',
    author: '\u30bd\u30d5\u30c8',
    group: '\u98a8\u666f',
    entries: [['\u5915\u65e5\u8868', '/resources/\u5199\u771f\u8868.html'],
      ['\u5831\u544a\u30bd', '/resources/\u30bd\u8868.html']],
    picture: '\u5199\u771f\u8868.jpg',
  },
};

for (const [packageName, expected] of Object.entries(codePages)) {
  test(`http: a presentation made under code page ${packageName.slice(2)} shows its own letters`, async () => {
    const show = await open(packageName, 'http');
    const entries = expected.entries.map(([title, ending]) => [title, encodeURI(ending)]);
    try {
      const shown = await show.navigation.evaluate(() => ({
        charset: document.characterSet,
        title: document.querySelector('span.header').textContent,
        groups: [...document.querySelectorAll('.entries h2')].map((h) => h.textContent),
        entries: [...document.querySelectorAll('.entries a')].map((a) => a.textContent),
        credits: [...document.querySelectorAll('p.foot')].pop().textContent,
      }));
      assert.deepEqual(shown, { charset: expected.charset, title: expected.title, groups: [expected.group],
        entries: expected.entries.map(([title]) => title), credits: `${expected.author}\u2022 today` });
      const photo = await at(show, 1, entries);
      assert.deepEqual(await photo.evaluate(() => ({ charset: document.characterSet, title: document.title,
        caption: document.querySelector('.caption').textContent, picture: decodeURI(document.querySelector('img').src) })),
      { charset: expected.charset, title: expected.entries[0][0], caption: expected.entries[0][0],
        picture: `${bases.http}/${packageName}/resources/${expected.picture}` });
      await photo.waitForFunction(() => document.querySelector('img').complete);
      assert.ok(await pictureShown(photo, 'img'), 'the picture is drawn');
      await pause(1300); // the fade in
      await show.page.screenshot({ path: path.join(screenshots, `slideshow-${packageName}.png`) });
      // The stepping script's addresses lead to the same pages as the links.
      await next(show);
      assert.equal(await heading(await at(show, 2, entries)), 'One');
      await next(show);
      await at(show, 1, entries);
      await link(show, expected.entries[1][0]).click();
      await at(show, 2, entries);
      assert.deepEqual(notFound.filter((p) => p.startsWith(`/${packageName}/`)), []);
    } finally {
      await show.close();
    }
  });
}
