// The site by Lighthouse (the version package.json pins), as a web developer checks a page:
// its default mobile profile with simulated throttling (a mid-range phone, from the page's
// own trace), in Debian's Chromium, on the site and on a static page with the same elements
// and no program, taking turns in one run. Prints each category's score and the simulated
// first contentful paint, largest contentful paint, Speed Index and total blocking time,
// medians of the runs, with the site's ratio to the static page. Reports; fails on none.
//   node bench/lighthouse/web_lighthouse.js SITE_FOLDER [RUNS]
'use strict';
const fs = require('fs');
const {serve} = require('../../tests/web/browser');
const {staticCopy} = require('../web_first_paint');

const kFlags = ['--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                '--disable-background-networking', '--disable-component-update', '--disable-sync'];
const kCategories = ['performance', 'accessibility', 'best-practices', 'seo'];
const kTimes = {'first-contentful-paint': 'FCP', 'largest-contentful-paint': 'LCP', 'speed-index': 'SI',
                'total-blocking-time': 'TBT', 'max-potential-fid': 'max FID'};

const median = (values) => {
  const known = values.filter((v) => v !== null).sort((a, b) => a - b);
  return known.length ? known[Math.floor(known.length / 2)] : null;
};

// One Lighthouse run in a browser of its own: the scores, the simulated times, the longest
// main-thread task and what Lighthouse could not compute.
async function audit(lighthouse, chromeLauncher, url) {
  const chrome = await chromeLauncher.launch({chromePath: process.env.CHROME_PATH || '/usr/bin/chromium',
                                              chromeFlags: kFlags});
  try {
    const {lhr} = await lighthouse(url, {port: chrome.port, output: 'json', logLevel: 'error',
                                         onlyCategories: kCategories});
    const scores = Object.fromEntries(kCategories.map((c) => [c, lhr.categories[c].score]));
    // What keeps a category below 100: its audits that fail.
    const failing = kCategories.flatMap((c) => lhr.categories[c].auditRefs
        .filter((ref) => ref.weight > 0 && lhr.audits[ref.id].score !== null && lhr.audits[ref.id].score < 1)
        .map((ref) => `${c}: ${ref.id}`));
    const times = Object.fromEntries(Object.keys(kTimes).map((a) => [a, lhr.audits[a].numericValue ?? null]));
    const errors = Object.keys(kTimes).map((a) => lhr.audits[a].errorMessage).filter(Boolean);
    const tasks = (lhr.audits['long-tasks'].details || {items: []}).items.map((t) => t.duration);
    // Where the main thread's time goes, by kind of work (at the simulated phone's speed).
    const work = Object.fromEntries(((lhr.audits['mainthread-work-breakdown'].details || {}).items || [])
        .map((item) => [item.groupLabel || item.group, item.duration]));
    return {scores, times, work, longest: tasks.length ? Math.max(...tasks) : 0,
            errors: [...new Set(errors.map((e) => e.replace(/\s+/g, ' ').slice(0, 80)))], failing};
  } finally {
    await chrome.kill();
  }
}

async function main() {
  const [folder, runsArg] = process.argv.slice(2);
  const runs = Number(runsArg || 5);
  const {default: lighthouse} = await import('lighthouse');
  const chromeLauncher = await import('chrome-launcher');
  const site = await serve(folder);
  const copy = await staticCopy(site.origin, folder);
  const still = await serve(copy);
  const results = {site: [], still: []};
  try {
    for (let i = 0; i < runs; ++i) {
      results.site.push(await audit(lighthouse, chromeLauncher, site.origin + '/'));
      results.still.push(await audit(lighthouse, chromeLauncher, still.origin + '/'));
    }
  } finally {
    site.close();
    still.close();
    fs.rmSync(copy, {recursive: true});
  }
  const version = require('lighthouse/package.json').version;
  console.log(`Lighthouse ${version}, mobile, simulated throttling, medians of ${runs} runs each:`);
  const summary = (name, list) => {
    const score = (c) => {
      const s = median(list.map((r) => r.scores[c]));
      return `${c} ${s === null ? '-' : Math.round(s * 100)}`;
    };
    const times = Object.entries(kTimes).map(([a, short]) => {
      const t = median(list.map((r) => r.times[a]));
      return `${short} ${t === null ? '-' : `${Math.round(t)} ms`}`;
    });
    const errors = [...new Set(list.flatMap((r) => r.errors))];
    console.log(`  ${name}: ${kCategories.map(score).join(', ')}; ${times.join(', ')}; ` +
                `longest task ${Math.round(median(list.map((r) => r.longest)))} ms` +
                (errors.length ? `; not computed: ${errors.join(' | ')}` : ''));
    const failing = [...new Set(list.flatMap((r) => r.failing))].filter((f) => !f.startsWith('performance'));
    if (failing.length) console.log(`    failing: ${failing.join(', ')}`);
    return list;
  };
  summary('the site       ', results.site);
  summary('the static page', results.still);
  const work = (list) => [...new Set(list.flatMap((r) => Object.keys(r.work)))]
      .map((kind) => [kind, median(list.map((r) => r.work[kind] ?? 0))]).filter(([, ms]) => ms >= 1)
      .sort((a, b) => b[1] - a[1]).map(([kind, ms]) => `${kind} ${Math.round(ms)} ms`).join(', ');
  console.log(`  main thread, the site: ${work(results.site)}`);
  console.log(`  main thread, the static page: ${work(results.still)}`);
  const ratios = Object.entries(kTimes).slice(0, 3).map(([a, short]) => {
    const site = median(results.site.map((r) => r.times[a]));
    const still = median(results.still.map((r) => r.times[a]));
    return `${short} ${site === null || !still ? '-' : (site / still).toFixed(2)} x`;
  });
  console.log(`  the site against the static page: ${ratios.join(', ')}`);
  console.log(`  each run (site FCP/SI, static FCP/SI, ms): ` +
              results.site.map((r, i) => [r, results.still[i]].map((x) =>
                  `${Math.round(x.times['first-contentful-paint'])}/${Math.round(x.times['speed-index'])}`).join(' ')).join(', '));
}

main().catch((e) => {
  console.error(e);
  process.exitCode = 1;
});
