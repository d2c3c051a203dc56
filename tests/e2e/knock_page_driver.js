// Drives headless Chromium through its DevTools protocol over a pipe (nothing but
// Node.js and the browser): opens the knock page as a phone would show it, loads it
// twice, prints "loaded" and waits for a line on standard input; then presses the
// Knock button as a finger would, waits for the page's report, saves a screenshot
// and prints the report and the steps. The browser then stays open LINGER_MS more, so
// that a connection attempt the page leaves running shows.
//
//   node knock_page_driver.js PAGE_URL PROFILE_FOLDER SCREENSHOT_PNG [LINGER_MS]
"use strict";
const { spawn } = require("node:child_process");
const fs = require("node:fs");
const readline = require("node:readline");

const [pageUrl, profile, screenshot, linger = "0"] = process.argv.slice(2);
const browser = spawn(process.env.CHROMIUM || "chromium", [
  "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
  "--disable-background-networking", "--disable-component-update", "--disable-sync",
  "--user-data-dir=" + profile, "--remote-debugging-pipe", "about:blank",
], { stdio: ["ignore", "ignore", "ignore", "pipe", "pipe"] });
browser.on("exit", (code) => { if (!closing) fail("chromium ended with status " + code); });
let closing = false;

function fail(message) {
  process.stderr.write("knock_page_driver: " + message + "\n");
  browser.kill();
  process.exit(1);
}

// Messages are JSON texts, each ended by a NUL byte.
let nextId = 1;
const answers = new Map();
const waiters = [];
let received = "";
browser.stdio[4].on("data", (chunk) => {
  received += chunk.toString("utf8");
  for (let end; (end = received.indexOf("\0")) >= 0; received = received.slice(end + 1)) {
    const message = JSON.parse(received.slice(0, end));
    if (message.id && answers.has(message.id)) {
      const { resolve } = answers.get(message.id);
      answers.delete(message.id);
      if (message.error) fail(JSON.stringify(message.error));
      resolve(message.result);
    } else if (message.method) {
      const waiter = waiters.findIndex((w) => w.method === message.method);
      if (waiter >= 0) waiters.splice(waiter, 1)[0].resolve(message.params);
    }
  }
});

function send(method, params = {}, sessionId = undefined) {
  const id = nextId++;
  browser.stdio[3].write(JSON.stringify({ id, method, params, sessionId }) + "\0");
  return new Promise((resolve) => answers.set(id, { resolve }));
}
const event = (method) => new Promise((resolve) => waiters.push({ method, resolve }));
const pause = (ms) => new Promise((done) => setTimeout(done, ms));

async function main() {
  const { targetInfos } = await send("Target.getTargets");
  const target = targetInfos.find((info) => info.type === "page");
  const { sessionId } = await send("Target.attachToTarget", { targetId: target.targetId, flatten: true });
  const page = (method, params) => send(method, params, sessionId);
  const evaluate = async (expression) => (await page("Runtime.evaluate", { expression, returnByValue: true })).result.value;
  await page("Page.enable");
  await page("Emulation.setDeviceMetricsOverride", { width: 390, height: 640, deviceScaleFactor: 2, mobile: true });
  for (const load of [() => page("Page.navigate", { url: pageUrl }), () => page("Page.reload")]) {
    const loaded = event("Page.loadEventFired");
    await load();
    await loaded;
  }
  await pause(1000);
  console.log("loaded");
  await new Promise((resolve) => readline.createInterface({ input: process.stdin }).once("line", resolve));

  const box = await evaluate("JSON.stringify(document.getElementById('knock').getBoundingClientRect())");
  const { x, y, width, height } = JSON.parse(box);
  for (const type of ["mousePressed", "mouseReleased"]) {
    await page("Input.dispatchMouseEvent", { type, x: x + width / 2, y: y + height / 2, button: "left", clickCount: 1 });
  }
  let report = "";
  while (!(report = await evaluate("document.getElementById('report').textContent")).startsWith("Knock sent at")) await pause(100);
  const { data } = await page("Page.captureScreenshot", { format: "png" });
  fs.writeFileSync(screenshot, Buffer.from(data, "base64"));
  console.log(report);
  console.log(await evaluate("[...document.querySelectorAll('#steps li')].map((li) => li.textContent).join('\\n')"));
  await pause(Number(linger));
  // The profile is removed after the test: the browser ends before the driver does.
  closing = true;
  const ended = new Promise((resolve) => browser.once("exit", resolve));
  send("Browser.close");
  await ended;
}

main().then(() => process.exit(0), (error) => fail(String(error && error.stack || error)));
