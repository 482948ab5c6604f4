-- A cash-book database: the template Kasa.mdb, AnaData/Kasa.mdb and every
-- Data/<code><year>.mdb file are created from this text, firma.sql and gunluk.sql.
-- Days are ISO text YYYY-MM-DD in columns declared DATE; amounts and rates are REAL.
-- Text widths are enforced by the database, so no value longer than its column is stored.

CREATE TABLE nakit (
    nid              INTEGER PRIMARY KEY AUTOINCREMENT,
    cekid            INTEGER,
    firmaid          INTEGER,
    firmakodu        VARCHAR(20)  CHECK (length(firmakodu) <= 20),
    firmaadi         VARCHAR(50)  CHECK (length(firmaadi) <= 50),
    bankaid          INTEGER,
    bankakodu        VARCHAR(20)  CHECK (length(bankakodu) <= 20),
    bankaadi         VARCHAR(50)  CHECK (length(bankaadi) <= 50),
    islem_tarihi     DATE,
    islem_vadesi     DATE,
    borc_tutar       REAL,
    alacak_tutar     REAL,
    neden            VARCHAR(50)  CHECK (length(neden) <= 50),
    doviz_cinsi      VARCHAR(5)   CHECK (length(doviz_cinsi) <= 5),
    doviz_borc       REAL,
    doviz_alacak     REAL,
    hes_dov_cinsi    VARCHAR(5)   CHECK (length(hes_dov_cinsi) <= 5),
    hes_doviz_borc   REAL,
    hes_doviz_alacak REAL,
    aciklama         VARCHAR(200) CHECK (length(aciklama) <= 200),
    kur_farki        REAL,
    doviz_kuru       REAL,
    fatura_KDV       REAL,
    fatura_no        VARCHAR(15)  CHECK (length(fatura_no) <= 15),
    fatura_seri      VARCHAR(5)   CHECK (length(fatura_seri) <= 5),
    irsaliye_no      VARCHAR(15)  CHECK (length(irsaliye_no) <= 15),
    irsaliye_seri    VARCHAR(5)   CHECK (length(irsaliye_seri) <= 5)
);

-- A day in one currency (the movement list, the day totals' upkeep) and a day in all
-- currencies (the movement list under "Hepsi").
CREATE INDEX nakit_doviz_tarih ON nakit (doviz_cinsi, islem_tarihi);
CREATE INDEX nakit_tarih ON nakit (islem_tarihi);
-- The income and expense analysis: collections and payments per currency and transaction
-- type, and per currency and source, read from the index alone.
CREATE INDEX nakit_doviz_neden ON nakit (doviz_cinsi, neden, islem_tarihi, borc_tutar, alacak_tutar);
CREATE INDEX nakit_doviz_kaynak ON nakit (doviz_cinsi, bankaadi, islem_tarihi, borc_tutar, alacak_tutar);

CREATE TABLE resimnakit (
    rid       INTEGER PRIMARY KEY AUTOINCREMENT,
    cekid     INTEGER,
    firmaid   INTEGER,
    resimadi  VARCHAR(30)  CHECK (length(resimadi) <= 30),
    firmakodu VARCHAR(20)  CHECK (length(firmakodu) <= 20),
    firmaadi  VARCHAR(30)  CHECK (length(firmaadi) <= 30),
    cirocekid INTEGER,
    resim     BLOB,
    aciklama  VARCHAR(100) CHECK (length(aciklama) <= 100),
    nakidid   INTEGER,
    bordroid  INTEGER
);

CREATE INDEX resimnakit_nakidid ON resimnakit (nakidid);
