-- Tables of the equipment mask database. The five tree tables are keyed by
-- SQLite's ROWID; the four lookup tables carry an explicit id, where -10 is
-- the row that stands for "not chosen yet".
CREATE TABLE IF NOT EXISTS maskgroup (name TEXT);
CREATE TABLE IF NOT EXISTS cband (masktype INTEGER, band INTEGER);
CREATE TABLE IF NOT EXISTS cchannel (cband INTEGER, channel_spacing INTEGER);
CREATE TABLE IF NOT EXISTS cmask (cchannel INTEGER, bitrate INTEGER, class INTEGER, remarks TEXT);
CREATE TABLE IF NOT EXISTS mpoints (mask_id INTEGER, frequency REAL, attenuation REAL);
CREATE TABLE IF NOT EXISTS bands (id INTEGER PRIMARY KEY, name TEXT);
CREATE TABLE IF NOT EXISTS channel_spacing (id INTEGER PRIMARY KEY, mhz REAL);
CREATE TABLE IF NOT EXISTS bitrate (id INTEGER PRIMARY KEY, bitrate TEXT);
CREATE TABLE IF NOT EXISTS class (id INTEGER PRIMARY KEY, name TEXT);
