-- Rows of the delivered equipment.db: the six-point default TX and RX masks
-- that the calculation library ships (hcmfs/data/default_tx_masks.csv and
-- default_rx_masks.csv), one mask per CSV row. Run by the build with sqlite3
-- in hcmfs/data after maskschema.sql.
--   group:   "Default TX masks" / "Default RX masks"
--   band:    the row's frequency range, "<f_lo> - <f_hi> GHz"
--   spacing: the lower channel spacing of the row in MHz (a range is named in
--            the remarks)
--   mask:    the equipment class as class, the typical traffic of that class
--            and spacing as bitrate where one is known, else "not specified"
--   points:  the six frequency offsets (MHz) and attenuations (dB)
.bail on

CREATE TEMP TABLE csv_masks (row INTEGER, f_lo TEXT, f_hi TEXT, class TEXT,
    cs_lo TEXT, cs_hi TEXT, f1 REAL, a1 REAL, f2 REAL, a2 REAL, f3 REAL, a3 REAL,
    f4 REAL, a4 REAL, f5 REAL, a5 REAL, f6 REAL, a6 REAL);
.import --csv --skip 1 --schema temp default_tx_masks.csv csv_masks
CREATE TEMP TABLE all_masks AS SELECT 'Default TX masks' AS grp, * FROM csv_masks ORDER BY row;
DELETE FROM csv_masks;
.import --csv --skip 1 --schema temp default_rx_masks.csv csv_masks
INSERT INTO all_masks SELECT 'Default RX masks', * FROM csv_masks ORDER BY row;

-- Typical payload per channel spacing (MHz) and class.
CREATE TEMP TABLE traffic (cs REAL, class TEXT, bitrate TEXT);
INSERT INTO traffic VALUES
    (1.75, '2', '2 Mbit/s'), (1.75, '4L', '2x2 Mbit/s'),
    (3.5, '2', '2x2 Mbit/s'), (3.5, '4L', '4x2 Mbit/s'),
    (7, '2', '4x2 Mbit/s'), (7, '4L', '8x2 Mbit/s'), (7, '5B', '16x2 or 34 Mbit/s'),
    (14, '2', '8x2 Mbit/s'), (14, '4L', '16x2 or 34 Mbit/s'), (14, '4H', '51.84 Mbit/s (STM-0)'),
    (14, '5B', '2x34 Mbit/s'),
    (28, '2', '34 Mbit/s'), (28, '4L', '2x34 Mbit/s'), (28, '4H', '2xSTM-0'),
    (28, '5A', '3x34 Mbit/s'), (28, '5B', '155.52 Mbit/s (STM-1)'),
    (28, '6A', '180-200 Mbit/s packet'), (28, '6B', '180-200 Mbit/s packet'),
    (40, '5A', '155.52 Mbit/s (STM-1)'), (40, '6B', '2xSTM-1'),
    (56, '2', '2x34 Mbit/s'), (56, '4L', '155.52 Mbit/s (STM-1)'), (56, '5B', '2xSTM-1 (311 Mbit/s)'),
    (56, '6A', '360-400 Mbit/s packet'), (56, '6B', '360-400 Mbit/s packet');

CREATE TEMP TABLE shaped AS
SELECT a.rowid AS id, a.grp, a.f_lo || ' - ' || a.f_hi || ' GHz' AS band,
       CAST(a.cs_lo AS REAL) AS cs, a.class,
       COALESCE(t.bitrate, 'not specified') AS bitrate,
       'Library default, channel spacing ' || a.cs_lo
           || CASE WHEN a.cs_hi <> a.cs_lo THEN ' to ' || a.cs_hi ELSE '' END
           || ' MHz, row ' || a.row AS remarks,
       CAST(a.f_lo AS REAL) AS f_lo, a.*
FROM all_masks a LEFT JOIN traffic t ON t.cs = CAST(a.cs_lo AS REAL) AND t.class = a.class;

-- Lookup rows first, so that the -10 placeholders do not pull the automatic
-- ids below zero.
INSERT INTO bands (name) SELECT band FROM shaped GROUP BY band ORDER BY MIN(f_lo);
INSERT INTO channel_spacing (mhz) SELECT DISTINCT cs FROM shaped ORDER BY cs;
INSERT INTO bitrate (bitrate) SELECT DISTINCT bitrate FROM shaped ORDER BY bitrate;
INSERT INTO class (name) SELECT DISTINCT class FROM shaped ORDER BY class;
INSERT INTO bands VALUES (-10, '|-- select band --|');
INSERT INTO channel_spacing VALUES (-10, 0);
INSERT INTO bitrate VALUES (-10, '|-- select bitrate --|');
INSERT INTO class VALUES (-10, '|-- select class --|');

INSERT INTO maskgroup (name) VALUES ('Default TX masks'), ('Default RX masks');
INSERT INTO cband (masktype, band)
SELECT g.ROWID, b.id FROM (SELECT DISTINCT grp, band FROM shaped) s
JOIN maskgroup g ON g.name = s.grp JOIN bands b ON b.name = s.band ORDER BY g.ROWID, b.id;
INSERT INTO cchannel (cband, channel_spacing)
SELECT cb.ROWID, c.id FROM (SELECT DISTINCT grp, band, cs FROM shaped) s
JOIN maskgroup g ON g.name = s.grp JOIN bands b ON b.name = s.band
JOIN cband cb ON cb.masktype = g.ROWID AND cb.band = b.id
JOIN channel_spacing c ON c.mhz = s.cs ORDER BY cb.ROWID, c.mhz;
INSERT INTO cmask (ROWID, cchannel, bitrate, class, remarks)
SELECT s.id, cc.ROWID, r.id, k.id, s.remarks FROM shaped s
JOIN maskgroup g ON g.name = s.grp JOIN bands b ON b.name = s.band
JOIN cband cb ON cb.masktype = g.ROWID AND cb.band = b.id
JOIN channel_spacing c ON c.mhz = s.cs JOIN cchannel cc ON cc.cband = cb.ROWID AND cc.channel_spacing = c.id
JOIN bitrate r ON r.bitrate = s.bitrate JOIN class k ON k.name = s.class ORDER BY s.id;
INSERT INTO mpoints (mask_id, frequency, attenuation)
SELECT id, f, a FROM (
    SELECT id, f1 AS f, a1 AS a FROM shaped UNION ALL SELECT id, f2, a2 FROM shaped
    UNION ALL SELECT id, f3, a3 FROM shaped UNION ALL SELECT id, f4, a4 FROM shaped
    UNION ALL SELECT id, f5, a5 FROM shaped UNION ALL SELECT id, f6, a6 FROM shaped)
ORDER BY id, f;
