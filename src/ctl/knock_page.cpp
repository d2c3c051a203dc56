#include "ctl/knock_page.h"

#include <string_view>

#include "platform/network.h"

namespace quennet {
namespace {

// The page's text up to the host in its title. It may load nothing from anywhere, so
// the policy refuses every source but its own inline style and script, and allows
// only the WebSocket connections that knock.
constexpr std::string_view kHead = R"(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<meta http-equiv="Content-Security-Policy" content="default-src 'none'; style-src 'unsafe-inline'; script-src 'unsafe-inline'; connect-src ws: wss:; base-uri 'none'; form-action 'none'">
<meta name="referrer" content="no-referrer">
<title>Knock on )";

constexpr std::string_view kStyle = R"(</title>
<style>
body { font-family: system-ui, sans-serif; line-height: 1.5; margin: 0; padding: 1rem; color: #111; background: #fff; }
main { max-width: 32rem; margin: 0 auto; }
h1 { font-size: 1.5rem; overflow-wrap: anywhere; }
button { font: inherit; font-size: 1.25rem; padding: 0.75rem 2.5rem; border: 0; border-radius: 0.5rem; background: #1a56db; color: #fff; }
button:disabled { background: #888; }
ol { padding-left: 1.5rem; }
.note { color: #555; font-size: 0.9rem; }
</style>
</head>
<body>
<main>
<h1>Knock on )";

constexpr std::string_view kBody = R"(</h1>
<p>Press Knock to send the port knock from this device. Nothing is sent before you press it.</p>
<p><button id="knock" type="button">Knock</button></p>
<ol id="steps"></ol>
<p id="report" role="status"></p>
<p class="note">This page holds the knock as plainly as a command line does: keep it where you keep the knock itself.</p>
</main>
<script>
"use strict";
)";

// Each knock is a WebSocket that is closed while it still connects: the host sees one
// TCP connection attempt per port, which its firewall drops and logs. Closing it ends
// the attempt at once; an abandoned fetch would leave the browser trying on, with a
// second attempt after a moment and the system sending the SYN again for a minute.
// A page served over https may open only wss: connections: the same single attempt.
constexpr std::string_view kScript = R"(
const button = document.getElementById("knock");
const report = document.getElementById("report");
const steps = document.getElementById("steps");
const pause = (ms) => new Promise((done) => setTimeout(done, ms));
const clock = (date) => date.toLocaleTimeString();

async function attempt(port) {
  const scheme = location.protocol === "https:" ? "wss:" : "ws:";
  const socket = new WebSocket(scheme + "//" + knock.host + ":" + port + "/");
  const ended = new Promise((done) => { socket.onclose = done; });
  socket.onerror = () => {};
  await Promise.race([ended, pause(knock.attemptMs)]);
  socket.close();
}

function step(text) {
  const item = document.createElement("li");
  item.textContent = text;
  steps.append(item);
}

button.addEventListener("click", async () => {
  button.disabled = true;
  steps.textContent = "";
  report.textContent = "Knocking...";
  const sent = new Date();
  for (let i = 0; i < knock.ports.length; i++) {
    if (i > 0) await pause(knock.delayMs);
    await attempt(knock.ports[i]);
    step("Knock " + (i + 1) + " of " + knock.ports.length + " sent");
  }
  if (knock.nudge !== null) {
    await pause(knock.nudgeAfterMs);
    await attempt(knock.nudge);
    step("Nudge sent");
  }
  const until = new Date(sent.getTime() + knock.windowSeconds * 1000);
  report.textContent = "Knock sent at " + clock(sent) + ". Its window lasts " + knock.windowSeconds +
      " seconds, until " + clock(until) + ": the port should open within that time. If it has not, press Knock again.";
  button.disabled = false;
});
</script>
</body>
</html>
)";

std::string PortList(const KnockPlan& plan) {
  std::string list;
  for (const KnockPacket& knock : plan.knocks)
    list += (list.empty() ? "" : ", ") + std::to_string(knock.port);
  return list;
}

// The knock as the script reads it. The host has passed BrowserUrlHost, so it holds
// nothing that needs escaping in a script string.
std::string KnockData(const KnockPage& page) {
  const KnockPlan& plan = page.plan;
  return "const knock = {host: \"" + page.url_host + "\", ports: [" + PortList(plan) +
         "], delayMs: " + std::to_string(plan.delay_ms) +
         ", attemptMs: " + std::to_string(kConnectionAttemptMilliseconds) +
         ", nudgeAfterMs: " + std::to_string(plan.nudge_after_ms) +
         ", nudge: " + (plan.nudge_port ? std::to_string(*plan.nudge_port) : "null") +
         ", windowSeconds: " + std::to_string(page.window_seconds) + "};";
}

}  // namespace

std::string KnockPageHtml(const KnockPage& page) {
  // The host as shown has passed BrowserUrlHost too: no character of markup.
  const std::string& host = page.plan.host;
  return std::string(kHead) + host + std::string(kStyle) + host + std::string(kBody) +
         KnockData(page) + std::string(kScript);
}

}  // namespace quennet
