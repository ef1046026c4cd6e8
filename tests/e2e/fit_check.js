// Decodes a FIT file with the FIT SDK's own decoder and prints what a training program would
// read from it, for the end-to-end export test to compare with the row file:
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
const fit = decoder.isFIT(), integrity = decoder.checkIntegrity();
const { messages, errors } = decoder.read();
const list = (name) => messages[name] || [];
const session = list('sessionMesgs')[0] || {};
const activity = list('activityMesgs')[0] || {};
// The file as a whole: FIT, integrity, errors, kind, sport, the messages readers expect.
console.log(`fit ${fit}, integrity ${integrity}, errors ${errors.length}` +
  ` ${errors.map((e) => e.message).join('; ')}`.trimEnd());
console.log(`${list('fileIdMesgs')[0]?.type} ${session.sport} ${session.subSport},` +
  ` events ${list('eventMesgs').map((e) => `${e.event} ${e.eventType}`).join(', ')},` +
  ` laps ${list('lapMesgs').length}, sessions ${list('sessionMesgs').length},` +
  ` activities ${list('activityMesgs').length} of ${activity.numSessions} session`);

const start = session.startTime ? session.startTime.getTime() / 1000 : 0;
const value = (v) => (v === undefined ? '-' : v);
const fixed = (v, digits) => (v === undefined ? '-' : v.toFixed(digits));
console.log(`start: ${start}`);
for (const [name, m] of [['lap', list('lapMesgs')[0] || {}], ['session', session]]) {
  console.log(`${name}: time ${fixed(m.totalTimerTime, 2)} distance ${fixed(m.totalDistance, 1)}` +
    ` calories ${value(m.totalCalories)} power ${value(m.avgPower)}` +
    ` cadence ${value(m.avgCadence)} heart ${value(m.avgHeartRate)}`);
}
console.log(`records: ${list('recordMesgs').length}`);
