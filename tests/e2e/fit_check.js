// Decodes a FIT file with the FIT SDK's own decoder and prints what a training program would
// read from it, one fact a line, for the end-to-end export test to compare with the row file:
//   node fit_check.js FILE.fit
// The SDK comes from TAMSI_NODE_MODULES, else build/node/node_modules (scripts/test.sh).
import fs from 'node:fs';
import path from 'node:path';
import url from 'node:url';

const here = path.dirname(url.fileURLToPath(import.meta.url));
const modules = process.env.TAMSI_NODE_MODULES || path.join(here, '../../build/node/node_modules');
const { Decoder, Stream } = await import(
  url.pathToFileURL(path.join(modules, '@garmin/fitsdk/src/index.js')).href);

const decoder = new Decoder(Stream.fromBuffer(fs.readFileSync(process.argv[2])));
console.log(`fit: ${decoder.isFIT()}`);
console.log(`integrity: ${decoder.checkIntegrity()}`);
const { messages, errors } = decoder.read();
console.log(`errors: ${errors.length} ${errors.map((e) => e.message).join('; ')}`.trim());

const count = (name) => (messages[name] || []).length;
console.log(`messages: fileId ${count('fileIdMesgs')}, events ${count('eventMesgs')},` +
  ` records ${count('recordMesgs')}, laps ${count('lapMesgs')},` +
  ` sessions ${count('sessionMesgs')}, activities ${count('activityMesgs')}`);
console.log(`file: ${messages.fileIdMesgs?.[0]?.type}`);
const events = (messages.eventMesgs || []).map((e) => `${e.event} ${e.eventType}`);
console.log(`events: ${events.join(', ')}`);

const session = messages.sessionMesgs?.[0] || {};
const start = session.startTime ? session.startTime.getTime() / 1000 : 0;
const seconds = (date) => (date ? date.getTime() / 1000 - start : '-');
const value = (v) => (v === undefined ? '-' : v);
console.log(`sport: ${session.sport} ${session.subSport}`);
console.log(`start: ${start}`);
for (const [name, m] of [['lap', messages.lapMesgs?.[0] || {}], ['session', session]]) {
  console.log(`${name}: time ${value(m.totalTimerTime)} distance ${value(m.totalDistance)}` +
    ` calories ${value(m.totalCalories)} power ${value(m.avgPower)} cadence` +
    ` ${value(m.avgCadence)} heart ${value(m.avgHeartRate)} max ${value(m.maxHeartRate)}` +
    ` end ${seconds(m.timestamp)}`);
}
for (const r of messages.recordMesgs || []) {
  console.log(`record: ${seconds(r.timestamp)} ${value(r.distance)} ${value(r.speed)}` +
    ` ${value(r.power)} ${value(r.cadence)} ${value(r.heartRate)}`);
}
const activity = messages.activityMesgs?.[0] || {};
console.log(`activity: sessions ${value(activity.numSessions)} time ${value(activity.totalTimerTime)}` +
  ` end ${seconds(activity.timestamp)}`);
