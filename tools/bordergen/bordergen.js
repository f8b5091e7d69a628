#!/usr/bin/env node
// Builds the border files read by the co-ordination trigger of our calculation
// library: one file <CODE>.ALL per country, named with the country's ITU symbol,
// holding the country's whole outline (land borders and coastline) as binary
// points, longitude then latitude, float64 little-endian, in radians.
//
// Source: Natural Earth 1:50m admin-0 countries (public domain), as TopoJSON from
// the npm package world-atlas. Usage: node bordergen.js <output folder>
'use strict';

const fs = require('fs');
const path = require('path');

const EARTH_RADIUS_KM = 6371.0;
// Largest gap between two written points. A little below 1 km so that rounding
// never lets a gap exceed it.
const MAX_STEP_KM = 0.95;

// Only this window around Europe is written. It keeps the files small and drops
// the overseas parts of European countries, which no European station can reach:
// the trigger distance is at most 200 km. Russia, Kazakhstan, Iran and
// Turkmenistan are cut at 60 degrees east, Saudi Arabia and the Saharan states at
// 27 degrees north.
const WINDOW = { west: -32.0, east: 60.0, south: 27.0, north: 82.0 };

// Natural Earth name -> ITU symbol (geographical area of the ITU Radio
// Regulations' country list). Several Natural Earth units fold into one symbol:
// the Crown Dependencies into G, Aland into FIN, Northern Cyprus into CYP.
// Kosovo has no ITU symbol; KOS is the symbol in common use among co-ordinating
// administrations.
const ITU_SYMBOLS = {
    'Albania': 'ALB',
    'Algeria': 'ALG',
    'Andorra': 'AND',
    'Armenia': 'ARM',
    'Austria': 'AUT',
    'Azerbaijan': 'AZE',
    'Belarus': 'BLR',
    'Belgium': 'BEL',
    'Bosnia and Herz.': 'BIH',
    'Bulgaria': 'BUL',
    'Croatia': 'HRV',
    'Cyprus': 'CYP',
    'N. Cyprus': 'CYP',
    'Czechia': 'CZE',
    'Denmark': 'DNK',
    'Egypt': 'EGY',
    'Estonia': 'EST',
    'Faeroe Is.': 'FRO',
    'Finland': 'FIN',
    'Åland': 'FIN',
    'France': 'F',
    'Georgia': 'GEO',
    'Germany': 'D',
    'Greece': 'GRC',
    'Hungary': 'HNG',
    'Iceland': 'ISL',
    'Iran': 'IRN',
    'Iraq': 'IRQ',
    'Ireland': 'IRL',
    'Israel': 'ISR',
    'Italy': 'I',
    'Jordan': 'JOR',
    'Kazakhstan': 'KAZ',
    'Kosovo': 'KOS',
    'Latvia': 'LVA',
    'Lebanon': 'LBN',
    'Libya': 'LBY',
    'Liechtenstein': 'LIE',
    'Lithuania': 'LTU',
    'Luxembourg': 'LUX',
    'Macedonia': 'MKD',
    'Malta': 'MLT',
    'Moldova': 'MDA',
    'Monaco': 'MCO',
    'Montenegro': 'MNE',
    'Morocco': 'MRC',
    'Netherlands': 'HOL',
    'Norway': 'NOR',
    'Palestine': 'PSE',
    'Poland': 'POL',
    'Portugal': 'POR',
    'Romania': 'ROU',
    'Russia': 'RUS',
    'San Marino': 'SMR',
    'Saudi Arabia': 'ARS',
    'Serbia': 'SRB',
    'Slovakia': 'SVK',
    'Slovenia': 'SVN',
    'Spain': 'E',
    'Sweden': 'S',
    'Switzerland': 'SUI',
    'Syria': 'SYR',
    'Tunisia': 'TUN',
    'Turkey': 'TUR',
    'Turkmenistan': 'TKM',
    'Ukraine': 'UKR',
    'United Kingdom': 'G',
    'Guernsey': 'G',
    'Jersey': 'G',
    'Isle of Man': 'G',
    'Vatican': 'CVA',
};

// TopoJSON arcs are quantised and delta-encoded: the first position is absolute,
// each following one is an offset from the previous; the transform maps the
// integer grid back to degrees.
function decodeArcs(topology) {
    const [sx, sy] = topology.transform.scale;
    const [tx, ty] = topology.transform.translate;
    return topology.arcs.map((arc) => {
        let x = 0;
        let y = 0;
        return arc.map(([dx, dy]) => {
            x += dx;
            y += dy;
            return [x * sx + tx, y * sy + ty];
        });
    });
}

// A ring is a list of arc indices; a negative index ~i means arc i reversed.
// Consecutive arcs share their joining point, which is kept once.
function ringPoints(ring, arcs) {
    const points = [];
    for (const index of ring) {
        const arc = index >= 0 ? arcs[index] : arcs[~index].slice().reverse();
        points.push(...(points.length ? arc.slice(1) : arc));
    }
    return points;
}

function polygonsOf(geometry) {
    if (geometry.type === 'Polygon')
        return [geometry.arcs];
    if (geometry.type === 'MultiPolygon')
        return geometry.arcs;
    return [];
}

const toRad = (deg) => (deg * Math.PI) / 180.0;

function unitVector(lonDeg, latDeg) {
    const lon = toRad(lonDeg);
    const lat = toRad(latDeg);
    return [Math.cos(lat) * Math.cos(lon), Math.cos(lat) * Math.sin(lon), Math.sin(lat)];
}

// Points on the great circle from a to b (a included, b not), no two further
// apart than MAX_STEP_KM.
function densifySegment(a, b, out) {
    out.push(a);
    // A segment that jumps across the antimeridian is a seam of the source data,
    // not a border: nothing lies between its ends.
    if (Math.abs(b[0] - a[0]) > 180.0)
        return;
    const va = unitVector(a[0], a[1]);
    const vb = unitVector(b[0], b[1]);
    const dot = Math.min(1, Math.max(-1, va[0] * vb[0] + va[1] * vb[1] + va[2] * vb[2]));
    const angle = Math.acos(dot);
    const steps = Math.ceil((angle * EARTH_RADIUS_KM) / MAX_STEP_KM);
    if (steps <= 1 || Math.sin(angle) === 0)
        return;
    for (let k = 1; k < steps; ++k) {
        const t = k / steps;
        const wa = Math.sin((1 - t) * angle) / Math.sin(angle);
        const wb = Math.sin(t * angle) / Math.sin(angle);
        const x = wa * va[0] + wb * vb[0];
        const y = wa * va[1] + wb * vb[1];
        const z = wa * va[2] + wb * vb[2];
        out.push([(Math.atan2(y, x) * 180) / Math.PI, (Math.atan2(z, Math.hypot(x, y)) * 180) / Math.PI]);
    }
}

function densifyRing(points) {
    const out = [];
    for (let i = 0; i + 1 < points.length; ++i)
        densifySegment(points[i], points[i + 1], out);
    if (points.length)
        out.push(points[points.length - 1]);
    return out;
}

const inWindow = ([lon, lat]) =>
    lon >= WINDOW.west && lon <= WINDOW.east && lat >= WINDOW.south && lat <= WINDOW.north;

function writeBorderFile(file, points) {
    const buffer = Buffer.alloc(points.length * 16);
    points.forEach(([lon, lat], i) => {
        buffer.writeDoubleLE(toRad(lon), i * 16);
        buffer.writeDoubleLE(toRad(lat), i * 16 + 8);
    });
    fs.writeFileSync(file, buffer);
}

function main() {
    const outDir = process.argv[2];
    if (!outDir) {
        console.error('usage: node bordergen.js <output folder>');
        process.exit(2);
    }
    const topology = require('world-atlas/countries-50m.json');
    const arcs = decodeArcs(topology);

    const outlines = new Map(); // ITU symbol -> points in degrees
    const seen = new Set();
    for (const geometry of topology.objects.countries.geometries) {
        const name = geometry.properties && geometry.properties.name;
        const code = ITU_SYMBOLS[name];
        if (!code)
            continue;
        seen.add(name);
        const points = outlines.get(code) || [];
        for (const polygon of polygonsOf(geometry))
            for (const ring of polygon)
                for (const p of densifyRing(ringPoints(ring, arcs)))
                    if (inWindow(p))
                        points.push(p);
        outlines.set(code, points);
    }

    const missing = Object.keys(ITU_SYMBOLS).filter((name) => !seen.has(name));
    if (missing.length) {
        console.error('not in the source data: ' + missing.join(', '));
        process.exit(1);
    }

    fs.mkdirSync(outDir, { recursive: true });
    let total = 0;
    for (const code of [...outlines.keys()].sort()) {
        const points = outlines.get(code);
        writeBorderFile(path.join(outDir, code + '.ALL'), points);
        total += points.length * 16;
        console.log(`${code.padEnd(4)} ${String(points.length).padStart(7)} points`);
    }
    console.log(`${outlines.size} files, ${(total / 1e6).toFixed(2)} MB`);
}

main();
