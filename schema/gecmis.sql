-- The journal of the movements (nakit): every movement deleted or changed, by any path, with
-- its values before the change, and every deleted movement brought back, with the values it
-- came back with. The triggers below write it in the same transaction as the change, so no
-- path changes a movement without a record. Entries are only added; the program removes
-- entries older than its keeping setting when a book is opened.
--   zaman: local date and time of the change, YYYY-MM-DD HH:MM:SS;
--   islem: 'SİLİNDİ', 'DEĞİŞTİ' or 'GERİ GELDİ';
--   bilgisayar, kullanici: the computer and the system user, written by the program's own
--     connections (empty for a change made by another tool);
--   degisen: for a change, the names of the columns it changed, separated by ',';
--   the other columns: the movement's columns as they were before the change (for
--     'GERİ GELDİ', as the movement came back).
CREATE TABLE nakit_gecmis (
    gid              INTEGER PRIMARY KEY AUTOINCREMENT,
    zaman            DATETIME NOT NULL,
    islem            VARCHAR(10) NOT NULL,
    bilgisayar       VARCHAR(64),
    kullanici        VARCHAR(64),
    degisen          VARCHAR(400),
    nid              INTEGER,
    cekid            INTEGER,
    firmaid          INTEGER,
    firmakodu        VARCHAR(20),
    firmaadi         VARCHAR(50),
    bankaid          INTEGER,
    bankakodu        VARCHAR(20),
    bankaadi         VARCHAR(50),
    islem_tarihi     DATE,
    islem_vadesi     DATE,
    borc_tutar       REAL,
    alacak_tutar     REAL,
    neden            VARCHAR(50),
    doviz_cinsi      VARCHAR(5),
    doviz_borc       REAL,
    doviz_alacak     REAL,
    hes_dov_cinsi    VARCHAR(5),
    hes_doviz_borc   REAL,
    hes_doviz_alacak REAL,
    aciklama         VARCHAR(200),
    kur_farki        REAL,
    doviz_kuru       REAL,
    fatura_KDV       REAL,
    fatura_no        VARCHAR(15),
    fatura_seri      VARCHAR(5),
    irsaliye_no      VARCHAR(15),
    irsaliye_seri    VARCHAR(5)
);

CREATE INDEX nakit_gecmis_nid ON nakit_gecmis (nid);
CREATE INDEX nakit_gecmis_zaman ON nakit_gecmis (zaman);

-- A deleted movement, as it was.
CREATE TRIGGER nakit_gecmis_sil AFTER DELETE ON nakit BEGIN
    INSERT INTO nakit_gecmis (zaman, islem, degisen, nid, cekid, firmaid, firmakodu,
        firmaadi, bankaid, bankakodu, bankaadi, islem_tarihi, islem_vadesi, borc_tutar,
        alacak_tutar, neden, doviz_cinsi, doviz_borc, doviz_alacak, hes_dov_cinsi,
        hes_doviz_borc, hes_doviz_alacak, aciklama, kur_farki, doviz_kuru, fatura_KDV, fatura_no,
        fatura_seri, irsaliye_no, irsaliye_seri)
    VALUES (strftime('%Y-%m-%d %H:%M:%S', 'now', 'localtime'), 'SİLİNDİ', NULL, OLD.nid, OLD.cekid,
        OLD.firmaid, OLD.firmakodu, OLD.firmaadi, OLD.bankaid, OLD.bankakodu, OLD.bankaadi,
        OLD.islem_tarihi, OLD.islem_vadesi, OLD.borc_tutar, OLD.alacak_tutar, OLD.neden,
        OLD.doviz_cinsi, OLD.doviz_borc, OLD.doviz_alacak, OLD.hes_dov_cinsi, OLD.hes_doviz_borc,
        OLD.hes_doviz_alacak, OLD.aciklama, OLD.kur_farki, OLD.doviz_kuru, OLD.fatura_KDV,
        OLD.fatura_no, OLD.fatura_seri, OLD.irsaliye_no, OLD.irsaliye_seri);
END;

-- A changed movement, as it was before, with the columns the change touched. An update that
-- leaves every value as it was is no change.
CREATE TRIGGER nakit_gecmis_degistir AFTER UPDATE ON nakit
WHEN OLD.nid IS NOT NEW.nid OR
     OLD.cekid IS NOT NEW.cekid OR
     OLD.firmaid IS NOT NEW.firmaid OR
     OLD.firmakodu IS NOT NEW.firmakodu OR
     OLD.firmaadi IS NOT NEW.firmaadi OR
     OLD.bankaid IS NOT NEW.bankaid OR
     OLD.bankakodu IS NOT NEW.bankakodu OR
     OLD.bankaadi IS NOT NEW.bankaadi OR
     OLD.islem_tarihi IS NOT NEW.islem_tarihi OR
     OLD.islem_vadesi IS NOT NEW.islem_vadesi OR
     OLD.borc_tutar IS NOT NEW.borc_tutar OR
     OLD.alacak_tutar IS NOT NEW.alacak_tutar OR
     OLD.neden IS NOT NEW.neden OR
     OLD.doviz_cinsi IS NOT NEW.doviz_cinsi OR
     OLD.doviz_borc IS NOT NEW.doviz_borc OR
     OLD.doviz_alacak IS NOT NEW.doviz_alacak OR
     OLD.hes_dov_cinsi IS NOT NEW.hes_dov_cinsi OR
     OLD.hes_doviz_borc IS NOT NEW.hes_doviz_borc OR
     OLD.hes_doviz_alacak IS NOT NEW.hes_doviz_alacak OR
     OLD.aciklama IS NOT NEW.aciklama OR
     OLD.kur_farki IS NOT NEW.kur_farki OR
     OLD.doviz_kuru IS NOT NEW.doviz_kuru OR
     OLD.fatura_KDV IS NOT NEW.fatura_KDV OR
     OLD.fatura_no IS NOT NEW.fatura_no OR
     OLD.fatura_seri IS NOT NEW.fatura_seri OR
     OLD.irsaliye_no IS NOT NEW.irsaliye_no OR
     OLD.irsaliye_seri IS NOT NEW.irsaliye_seri BEGIN
    INSERT INTO nakit_gecmis (zaman, islem, degisen, nid, cekid, firmaid, firmakodu,
        firmaadi, bankaid, bankakodu, bankaadi, islem_tarihi, islem_vadesi, borc_tutar,
        alacak_tutar, neden, doviz_cinsi, doviz_borc, doviz_alacak, hes_dov_cinsi,
        hes_doviz_borc, hes_doviz_alacak, aciklama, kur_farki, doviz_kuru, fatura_KDV, fatura_no,
        fatura_seri, irsaliye_no, irsaliye_seri)
    VALUES (strftime('%Y-%m-%d %H:%M:%S', 'now', 'localtime'), 'DEĞİŞTİ',
        substr((CASE WHEN OLD.nid IS NOT NEW.nid THEN ',nid' ELSE '' END) ||
            (CASE WHEN OLD.cekid IS NOT NEW.cekid THEN ',cekid' ELSE '' END) ||
            (CASE WHEN OLD.firmaid IS NOT NEW.firmaid THEN ',firmaid' ELSE '' END) ||
            (CASE WHEN OLD.firmakodu IS NOT NEW.firmakodu THEN ',firmakodu' ELSE '' END) ||
            (CASE WHEN OLD.firmaadi IS NOT NEW.firmaadi THEN ',firmaadi' ELSE '' END) ||
            (CASE WHEN OLD.bankaid IS NOT NEW.bankaid THEN ',bankaid' ELSE '' END) ||
            (CASE WHEN OLD.bankakodu IS NOT NEW.bankakodu THEN ',bankakodu' ELSE '' END) ||
            (CASE WHEN OLD.bankaadi IS NOT NEW.bankaadi THEN ',bankaadi' ELSE '' END) ||
            (CASE WHEN OLD.islem_tarihi IS NOT NEW.islem_tarihi THEN ',islem_tarihi' ELSE '' END) ||
            (CASE WHEN OLD.islem_vadesi IS NOT NEW.islem_vadesi THEN ',islem_vadesi' ELSE '' END) ||
            (CASE WHEN OLD.borc_tutar IS NOT NEW.borc_tutar THEN ',borc_tutar' ELSE '' END) ||
            (CASE WHEN OLD.alacak_tutar IS NOT NEW.alacak_tutar THEN ',alacak_tutar' ELSE '' END) ||
            (CASE WHEN OLD.neden IS NOT NEW.neden THEN ',neden' ELSE '' END) ||
            (CASE WHEN OLD.doviz_cinsi IS NOT NEW.doviz_cinsi THEN ',doviz_cinsi' ELSE '' END) ||
            (CASE WHEN OLD.doviz_borc IS NOT NEW.doviz_borc THEN ',doviz_borc' ELSE '' END) ||
            (CASE WHEN OLD.doviz_alacak IS NOT NEW.doviz_alacak THEN ',doviz_alacak' ELSE '' END) ||
            (CASE WHEN OLD.hes_dov_cinsi IS NOT NEW.hes_dov_cinsi THEN ',hes_dov_cinsi' ELSE '' END) ||
            (CASE WHEN OLD.hes_doviz_borc IS NOT NEW.hes_doviz_borc THEN ',hes_doviz_borc' ELSE '' END) ||
            (CASE WHEN OLD.hes_doviz_alacak IS NOT NEW.hes_doviz_alacak THEN ',hes_doviz_alacak' ELSE '' END) ||
            (CASE WHEN OLD.aciklama IS NOT NEW.aciklama THEN ',aciklama' ELSE '' END) ||
            (CASE WHEN OLD.kur_farki IS NOT NEW.kur_farki THEN ',kur_farki' ELSE '' END) ||
            (CASE WHEN OLD.doviz_kuru IS NOT NEW.doviz_kuru THEN ',doviz_kuru' ELSE '' END) ||
            (CASE WHEN OLD.fatura_KDV IS NOT NEW.fatura_KDV THEN ',fatura_KDV' ELSE '' END) ||
            (CASE WHEN OLD.fatura_no IS NOT NEW.fatura_no THEN ',fatura_no' ELSE '' END) ||
            (CASE WHEN OLD.fatura_seri IS NOT NEW.fatura_seri THEN ',fatura_seri' ELSE '' END) ||
            (CASE WHEN OLD.irsaliye_no IS NOT NEW.irsaliye_no THEN ',irsaliye_no' ELSE '' END) ||
            (CASE WHEN OLD.irsaliye_seri IS NOT NEW.irsaliye_seri THEN ',irsaliye_seri' ELSE '' END), 2),
        OLD.nid, OLD.cekid, OLD.firmaid, OLD.firmakodu, OLD.firmaadi, OLD.bankaid, OLD.bankakodu,
        OLD.bankaadi, OLD.islem_tarihi, OLD.islem_vadesi, OLD.borc_tutar, OLD.alacak_tutar,
        OLD.neden, OLD.doviz_cinsi, OLD.doviz_borc, OLD.doviz_alacak, OLD.hes_dov_cinsi,
        OLD.hes_doviz_borc, OLD.hes_doviz_alacak, OLD.aciklama, OLD.kur_farki, OLD.doviz_kuru,
        OLD.fatura_KDV, OLD.fatura_no, OLD.fatura_seri, OLD.irsaliye_no, OLD.irsaliye_seri);
END;

-- A movement added with the number of a journalled one is that movement brought back
-- (numbers are never given twice).
CREATE TRIGGER nakit_gecmis_geri AFTER INSERT ON nakit
WHEN EXISTS (SELECT 1 FROM nakit_gecmis WHERE nid = NEW.nid) BEGIN
    INSERT INTO nakit_gecmis (zaman, islem, degisen, nid, cekid, firmaid, firmakodu,
        firmaadi, bankaid, bankakodu, bankaadi, islem_tarihi, islem_vadesi, borc_tutar,
        alacak_tutar, neden, doviz_cinsi, doviz_borc, doviz_alacak, hes_dov_cinsi,
        hes_doviz_borc, hes_doviz_alacak, aciklama, kur_farki, doviz_kuru, fatura_KDV, fatura_no,
        fatura_seri, irsaliye_no, irsaliye_seri)
    VALUES (strftime('%Y-%m-%d %H:%M:%S', 'now', 'localtime'), 'GERİ GELDİ', NULL, NEW.nid,
        NEW.cekid, NEW.firmaid, NEW.firmakodu, NEW.firmaadi, NEW.bankaid, NEW.bankakodu,
        NEW.bankaadi, NEW.islem_tarihi, NEW.islem_vadesi, NEW.borc_tutar, NEW.alacak_tutar,
        NEW.neden, NEW.doviz_cinsi, NEW.doviz_borc, NEW.doviz_alacak, NEW.hes_dov_cinsi,
        NEW.hes_doviz_borc, NEW.hes_doviz_alacak, NEW.aciklama, NEW.kur_farki, NEW.doviz_kuru,
        NEW.fatura_KDV, NEW.fatura_no, NEW.fatura_seri, NEW.irsaliye_no, NEW.irsaliye_seri);
END;
