// Opens the page the program wrote in headless Chromium and checks what a
// reader sees: every picture loaded, the author's <B> shown bold, and no
// script of a shared spread run.
//   node check_report.js PAGE
'use strict';
const path = require('path');
const { chromium } = require('playwright-core');

const failures = [];
function expect(ok, what) {
    if (!ok) failures.push(what);
}

async function main() {
    const browser = await chromium.launch({
        executablePath: '/usr/bin/chromium',
        args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
               '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    });
    try {
        const page = await browser.newPage();
        // The load event comes after every picture loaded or failed (and its handlers ran).
        await page.goto('file://' + path.resolve(process.argv[2]), { waitUntil: 'load' });
        const images = await page.$$eval('img', (all) => all.map((i) => ({ src: i.getAttribute('src'), w: i.naturalWidth })));
        // Two runes and the footer's logo.
        expect(images.length === 3, `${images.length} images, not 3`);
        for (const i of images) expect(i.w > 0, `image ${i.src} did not load`);
        const weights = await page.$$eval('u b', (all) => all.map((b) => getComputedStyle(b).fontWeight));
        expect(weights.length === 1, `${weights.length} bold meanings, not 1`);
        expect(weights.every((w) => Number(w) >= 700), `<B> weighs ${weights}`);
        const injected = await page.evaluate(() => window.injected);
        expect(injected === undefined, `a spread's script ran (window.injected = ${injected})`);
        const text = await page.evaluate(() => document.body.innerText);
        expect(text.includes('<script>'), 'the title is not shown as typed');
        expect(text.includes('onerror='), 'the meaning is not shown as typed');
    } finally {
        await browser.close();
    }
    if (failures.length) {
        for (const f of failures) console.error(f);
        process.exit(1);
    }
    console.log('page checked');
}

main().catch((e) => {
    console.error(e);
    process.exit(2);
});
