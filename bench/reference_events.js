// Reference timings for bench_sunmoon's event benchmarks, with astronomy-engine (npm): the Moon's
// rise, culmination and set for every local day of December 2026 in Chemnitz, a year's
// perihelion and aphelion, a year's equinoxes and solstices. Prints the mean processor time of
// each (as Google Benchmark's "CPU" column, which a busy machine disturbs less than wall time).
//   NODE_PATH=/path/to/node_modules node bench/reference_events.js
'use strict';
const A = require('astronomy-engine');

function time(name, unit, rounds, f) {
    f(0);  // warm up the compiler
    const start = process.cpuUsage();
    for (let i = 0; i < rounds; ++i) f(i);
    const used = process.cpuUsage(start);
    const ns = (used.user + used.system) * 1e3 / rounds;
    const value = unit === 'ms' ? ns / 1e6 : ns / 1e3;
    console.log(`${name.padEnd(22)} ${value.toFixed(unit === 'ms' ? 2 : 1)} ${unit}`);
}

const chemnitz = new A.Observer(50.836667, 12.854444, 0);
time('moon events, month', 'ms', 20, () => {
    for (let day = 1; day <= 31; ++day) {
        const start = new Date(Date.UTC(2026, 11, day) - 3600e3);  // local midnight, UTC+1
        A.SearchRiseSet(A.Body.Moon, chemnitz, +1, start, 1);
        A.SearchHourAngle(A.Body.Moon, chemnitz, 0, start);
        A.SearchRiseSet(A.Body.Moon, chemnitz, -1, start, 1);
    }
});
time('earth apsides, year', 'us', 500, (i) => {
    const first = A.SearchPlanetApsis(A.Body.Earth, new Date(Date.UTC(1990 + i % 71, 0, 1)));
    A.NextPlanetApsis(A.Body.Earth, first);
});
time('seasons, year', 'us', 500, (i) => A.Seasons(1990 + i % 71));
