-- Shared tables of the production suite, PostgreSQL 15 version.
-- The same tables, columns and indexes as sqlite.sql, every name folded to lower
-- case and quoted: statements reach them through bare ASCII names, which
-- PostgreSQL folds to lower case, and through [bracketed] names, which the data
-- layer lower-cases. Marks and stamps are NOT NULL text holding '' when not
-- set. Rows are identified by ctid. The Jet functions iif() and val() that the
-- suite's statements use are defined at the end.
-- Statements end with ";" at the end of a line outside a $$ body; every $$ body
-- opens and closes on one line. Comment lines start with "--".

-- Settings read at start-up.
CREATE TABLE "company" (
    "company" text DEFAULT '',
    "add"     text DEFAULT '',
    "add1"    text DEFAULT '',
    "tno"     text DEFAULT '',
    "tel"     text DEFAULT '',
    "fax"     text DEFAULT ''
);
CREATE TABLE "company1" (
    "company" text DEFAULT '',
    "add"     text DEFAULT '',
    "tno"     text DEFAULT '',
    "tel"     text DEFAULT '',
    "fax"     text DEFAULT ''
);
CREATE TABLE "company2" (
    "company" text DEFAULT '',
    "add"     text DEFAULT '',
    "tno"     text DEFAULT '',
    "tel"     text DEFAULT '',
    "fax"     text DEFAULT ''
);
CREATE TABLE "system" (
    "mfun"   text DEFAULT '',
    "item0"  text DEFAULT '',
    "item1"  text DEFAULT '',
    "item2"  text DEFAULT '',
    "item3"  text DEFAULT '',
    "item4"  text DEFAULT '',
    "item5"  text DEFAULT '',
    "item6"  text DEFAULT '',
    "item7"  text DEFAULT '',
    "item8"  text DEFAULT '',
    "item9"  text DEFAULT '',
    "item10" text DEFAULT '',
    "item11" text DEFAULT '',
    "item12" text DEFAULT '',
    "item13" text DEFAULT '',
    "item14" text DEFAULT '',
    "item15" text DEFAULT '',
    "item16" text DEFAULT '',
    "item17" text DEFAULT '',
    "item18" text DEFAULT '',
    "item19" text DEFAULT '',
    "item20" text DEFAULT '',
    "item21" text DEFAULT '',
    "item22" text DEFAULT '',
    "item23" text DEFAULT '',
    "item24" text DEFAULT '',
    "item25" text DEFAULT '',
    "item26" text DEFAULT '',
    "item27" text DEFAULT '',
    "item28" text DEFAULT '',
    "item29" text DEFAULT '',
    "item30" text DEFAULT '',
    "item31" text DEFAULT '',
    "item32" text DEFAULT '',
    "item33" text DEFAULT '',
    "item34" text DEFAULT '',
    "item35" text DEFAULT '',
    "item36" text DEFAULT '',
    "item37" text DEFAULT '',
    "item38" text DEFAULT '',
    "item39" text DEFAULT '',
    "item40" text DEFAULT '',
    "item41" text DEFAULT '',
    "item42" text DEFAULT '',
    "item43" text DEFAULT '',
    "item44" text DEFAULT '',
    "item45" text DEFAULT '',
    "item46" text DEFAULT '',
    "item47" text DEFAULT '',
    "item48" text DEFAULT '',
    "item49" text DEFAULT '',
    "item50" text DEFAULT '',
    "item51" text DEFAULT '',
    "item52" text DEFAULT '',
    "item53" text DEFAULT '',
    "item54" text DEFAULT '',
    "item55" text DEFAULT '',
    "item56" text DEFAULT '',
    "item57" text DEFAULT '',
    "item58" text DEFAULT '',
    "item59" text DEFAULT '',
    "item60" text DEFAULT '',
    "item61" text DEFAULT '',
    "item62" text DEFAULT '',
    "item63" text DEFAULT '',
    "item64" text DEFAULT '',
    "item65" text DEFAULT '',
    "item66" text DEFAULT '',
    "item67" text DEFAULT '',
    "item68" text DEFAULT '',
    "item69" text DEFAULT '',
    "item70" text DEFAULT '',
    "item71" text DEFAULT '',
    "item72" text DEFAULT '',
    "item73" text DEFAULT '',
    "item74" text DEFAULT '',
    "item75" text DEFAULT '',
    "item76" text DEFAULT '',
    "item77" text DEFAULT '',
    "item78" text DEFAULT '',
    "item79" text DEFAULT '',
    "item80" text DEFAULT '',
    "item81" text DEFAULT '',
    "item82" text DEFAULT '',
    "item83" text DEFAULT '',
    "item84" text DEFAULT '',
    "item85" text DEFAULT '',
    "item86" text DEFAULT '',
    "item87" text DEFAULT ''
);
CREATE TABLE "system1" (
    "發票開立方式" text DEFAULT '',
    "發票平台路徑" text DEFAULT '',
    "item87"       text DEFAULT '',
    "item88"       text DEFAULT '',
    "item89"       text DEFAULT '',
    "item102"      text DEFAULT '',
    "item110"      text DEFAULT '',
    "item119"      text DEFAULT '',
    "item120"      text DEFAULT ''
);
CREATE TABLE "使用者資料" (
    "使用者"       text NOT NULL DEFAULT '',
    "管理者"       text DEFAULT '',
    "估價審單金額" double precision DEFAULT 0,
    "採購審單金額" double precision DEFAULT 0,
    "工單作業權限" text DEFAULT '',
    "生產管理權限" text DEFAULT '',
    "成本分析權限" text DEFAULT '',
    "基本資料權限" text DEFAULT '',
    "應收帳款權限" text DEFAULT '',
    "應付帳款權限" text DEFAULT '',
    "物料管理權限" text DEFAULT '',
    "產品管理權限" text DEFAULT '',
    "印刷作業權限" text DEFAULT '',
    "製版作業權限" text DEFAULT '',
    "發票權限"     text DEFAULT '',
    "其它權限"     text DEFAULT '',
    "報價權限"     text DEFAULT '',
    "維護權限"     text DEFAULT '',
    "會計權限"     text DEFAULT '',
    "績效權限"     text DEFAULT '',
    "稽核權限"     text DEFAULT '',
    "速算權限"     text DEFAULT '',
    "運送權限"     text DEFAULT '',
    "授信額度權限" text DEFAULT '',
    "產能權限"     text DEFAULT '',
    "crm權限"      text DEFAULT '',
    "網印權限"     text DEFAULT '',
    "代收權限"     text DEFAULT '',
    "雜支權限"     text DEFAULT '',
    "刀模權限"     text DEFAULT '',
    "標籤權限"     text DEFAULT '',
    "公告權限"     text DEFAULT '',
    "寄庫權限"     text DEFAULT '',
    "捲筒權限"     text DEFAULT '',
    "接稿權限"     text DEFAULT ''
);
CREATE INDEX "ix_使用者資料_使用者" ON "使用者資料" ("使用者");
CREATE TABLE "使用者資料明細" (
    "使用者"       text NOT NULL DEFAULT '',
    "工單作業細部" text DEFAULT '',
    "生產管理細部" text DEFAULT '',
    "成本分析細部" text DEFAULT '',
    "基本資料細部" text DEFAULT '',
    "應收帳款細部" text DEFAULT '',
    "應付帳款細部" text DEFAULT '',
    "物料管理細部" text DEFAULT '',
    "產品管理細部" text DEFAULT '',
    "印刷作業細部" text DEFAULT '',
    "製版作業細部" text DEFAULT '',
    "發票細部"     text DEFAULT '',
    "其它細部"     text DEFAULT '',
    "報價細部"     text DEFAULT '',
    "維護細部"     text DEFAULT '',
    "會計細部"     text DEFAULT '',
    "績效細部"     text DEFAULT '',
    "稽核細部"     text DEFAULT '',
    "速算細部"     text DEFAULT '',
    "運送細部"     text DEFAULT '',
    "產能細部"     text DEFAULT '',
    "crm細部"      text DEFAULT '',
    "網印細部"     text DEFAULT '',
    "代收細部"     text DEFAULT '',
    "雜支細部"     text DEFAULT '',
    "刀模細部"     text DEFAULT '',
    "標籤細部"     text DEFAULT '',
    "公告細部"     text DEFAULT '',
    "寄庫細部"     text DEFAULT '',
    "捲筒細部"     text DEFAULT '',
    "接稿細部"     text DEFAULT ''
);
CREATE INDEX "ix_使用者資料明細_使用者" ON "使用者資料明細" ("使用者");
CREATE TABLE "sysos" (
    "vm"     text DEFAULT '',
    "xp"     text DEFAULT '',
    "win7"   text DEFAULT '',
    "win7c"  text DEFAULT '',
    "win8"   text DEFAULT '',
    "win8c"  text DEFAULT '',
    "win10"  text DEFAULT '',
    "win10c" text DEFAULT '',
    "win11"  text DEFAULT '',
    "win11c" text DEFAULT ''
);
CREATE TABLE "啟用發送eamil" (
    "啟用發送eamil" text DEFAULT ''
);
CREATE TABLE "sysload" (
    "id"       text NOT NULL DEFAULT '',
    "computer" text NOT NULL DEFAULT '',
    "excel"    text DEFAULT ''
);
CREATE INDEX "ix_sysload_id_computer" ON "sysload" ("id", "computer");
CREATE TABLE "employee" (
    "id"           text NOT NULL DEFAULT '',
    "name"         text DEFAULT '',
    "部門"         text NOT NULL DEFAULT '',
    "odate"        text DEFAULT '',
    "分機代號"     text DEFAULT '',
    "工務人員代號" text DEFAULT '',
    "工務人員"     text DEFAULT '',
    "group"        text DEFAULT '',
    "group1"       text DEFAULT '',
    "group2"       text DEFAULT '',
    "group3"       text DEFAULT '',
    "group4"       text DEFAULT '',
    "group5"       text DEFAULT '',
    "group6"       text DEFAULT '',
    "group7"       text DEFAULT '',
    "group8"       text DEFAULT '',
    "group9"       text DEFAULT '',
    "group10"      text DEFAULT '',
    "group11"      text DEFAULT '',
    "group12"      text DEFAULT '',
    "group13"      text DEFAULT '',
    "group14"      text DEFAULT '',
    "group15"      text DEFAULT '',
    "group16"      text DEFAULT '',
    "group17"      text DEFAULT '',
    "group18"      text DEFAULT '',
    "group19"      text DEFAULT ''
);
CREATE INDEX "ix_employee_id" ON "employee" ("id");
CREATE INDEX "ix_employee_name" ON "employee" ("name");

-- Maintenance lock and the register of running programs.
CREATE TABLE "syslock" (
    "user" text
);
CREATE TABLE "sysuser1" (
    "id"   text NOT NULL DEFAULT '',
    "func" text NOT NULL DEFAULT '',
    "lpid" double precision DEFAULT 0
);
CREATE INDEX "ix_sysuser1_id_func" ON "sysuser1" ("id", "func");

-- Phrases and choice lists; presses are KIND Z-雜項, ITEM 機別.
CREATE TABLE "phrase" (
    "kind" text NOT NULL DEFAULT '',
    "item" text NOT NULL DEFAULT '',
    "id"   text NOT NULL DEFAULT '',
    "desc" text DEFAULT '',
    "rem"  text DEFAULT ''
);
CREATE INDEX "ix_phrase_kind_item_id" ON "phrase" ("kind", "item", "id");

-- Printing schedule and the work orders it belongs to.
CREATE TABLE "印刷預排" (
    "po"    text NOT NULL DEFAULT '',
    "no"    integer NOT NULL DEFAULT 0,
    "id"    text NOT NULL DEFAULT '',
    "fdate" text NOT NULL DEFAULT '',
    "pdate" text NOT NULL DEFAULT ''
);
CREATE INDEX "ix_印刷預排_po_no_id" ON "印刷預排" ("po", "no", "id");
CREATE TABLE "printing_s" (
    "po"     text NOT NULL DEFAULT '',
    "no"     integer NOT NULL DEFAULT 0,
    "desc"   text DEFAULT '',
    "color1" double precision DEFAULT 0,
    "color2" double precision DEFAULT 0,
    "count"  double precision DEFAULT 0,
    "memb"   double precision DEFAULT 0,
    "plat"   double precision DEFAULT 0,
    "size"   text DEFAULT '',
    "qty"    text DEFAULT '',
    "qty1"   double precision DEFAULT 0,
    "qty2"   double precision DEFAULT 0,
    "順序"   text NOT NULL DEFAULT '',
    "車別"   text NOT NULL DEFAULT '',
    "odate"  text NOT NULL DEFAULT '',
    "fdate"  text NOT NULL DEFAULT '',
    "act"    text NOT NULL DEFAULT '',
    "rem"    text DEFAULT '',
    "id"     text NOT NULL DEFAULT '',
    "ino"    integer NOT NULL DEFAULT 0
);
CREATE INDEX "ix_printing_s_po_no_id_ino" ON "printing_s" ("po", "no", "id", "ino");
CREATE INDEX "ix_printing_s_車別" ON "printing_s" ("車別");
-- The open lines of a press (FDATE = '') are where the schedule query starts.
CREATE INDEX "ix_printing_s_fdate_車別" ON "printing_s" ("fdate", "車別");
CREATE TABLE "pwork" (
    "po"    text NOT NULL DEFAULT '',
    "cust"  text DEFAULT '',
    "desc"  text DEFAULT '',
    "fdate" text DEFAULT '',
    "prem"  text DEFAULT '',
    "急件"  text DEFAULT ''
);
CREATE INDEX "ix_pwork_po" ON "pwork" ("po");
CREATE TABLE "cust" (
    "id"    text NOT NULL DEFAULT '',
    "sname" text DEFAULT ''
);
CREATE INDEX "ix_cust_id" ON "cust" ("id");
CREATE TABLE "item_p" (
    "po"    text NOT NULL DEFAULT '',
    "item7" text DEFAULT ''
);
CREATE INDEX "ix_item_p_po" ON "item_p" ("po");

-- Production tables that receive the completion stamps.
CREATE TABLE "printing" (
    "po"    text NOT NULL DEFAULT '',
    "no"    integer NOT NULL DEFAULT 0,
    "odate" text NOT NULL DEFAULT '',
    "fdate" text NOT NULL DEFAULT '',
    "act"   text NOT NULL DEFAULT '',
    "eamt"  double precision NOT NULL DEFAULT 0
);
CREATE INDEX "ix_printing_po_no" ON "printing" ("po", "no");
CREATE TABLE "venderac" (
    "po"    text NOT NULL DEFAULT '',
    "no"    integer NOT NULL DEFAULT 0,
    "kind"  text NOT NULL DEFAULT '',
    "odate" text NOT NULL DEFAULT '',
    "eamt"  double precision NOT NULL DEFAULT 0
);
CREATE INDEX "ix_venderac_po_no" ON "venderac" ("po", "no");
CREATE TABLE "預排資料明細" (
    "po"    text NOT NULL DEFAULT '',
    "no"    integer NOT NULL DEFAULT 0,
    "odate" text NOT NULL DEFAULT '',
    "fdate" text NOT NULL DEFAULT '',
    "act"   text NOT NULL DEFAULT '',
    "eamt"  double precision NOT NULL DEFAULT 0,
    "kind"  text NOT NULL DEFAULT '',
    "id"    text NOT NULL DEFAULT '',
    "ino"   integer NOT NULL DEFAULT 0
);
CREATE INDEX "ix_預排資料明細_po_no_id_ino" ON "預排資料明細" ("po", "no", "id", "ino");

-- Press runs of a job line; select * returns these columns in this order.
CREATE TABLE "預排資料耗時明細1" (
    "開始"     text NOT NULL DEFAULT '',
    "結束"     text NOT NULL DEFAULT '',
    "正色"     text DEFAULT '',
    "反色"     text DEFAULT '',
    "台"       text DEFAULT '',
    "版數"     text DEFAULT '',
    "看印"     text NOT NULL DEFAULT '',
    "特滿"     text DEFAULT '',
    "用墨量"   text DEFAULT '',
    "完工數量" double precision DEFAULT 0,
    "機別"     text NOT NULL DEFAULT '',
    "經辦代號" text DEFAULT '',
    "經辦人員" text DEFAULT '',
    "耗時"     double precision DEFAULT 0,
    "有效耗時" double precision DEFAULT 0,
    "製作說明" text DEFAULT '',
    "標準數量" double precision DEFAULT 0,
    "點數"     double precision DEFAULT 0,
    "工單單號" text NOT NULL DEFAULT '',
    "工單序"   double precision NOT NULL DEFAULT 0,
    "序"       smallint NOT NULL DEFAULT 0
);
CREATE INDEX "ix_預排資料耗時明細1_機別_工單單號_工單序" ON "預排資料耗時明細1" ("機別", "工單單號", "工單序");
-- Time consumed so far per job line and press: the sum of its runs, always
-- as stored. Other programs of the suite read it by this name and these columns.
CREATE VIEW "預排耗時_印刷" ("工單單號", "工單序", "機別", "耗時") AS
    SELECT "工單單號", "工單序", "機別", SUM("耗時")
    FROM "預排資料耗時明細1"
    GROUP BY "機別", "工單單號", "工單序";
CREATE TABLE "印刷產能資料" (
    "機別"     text NOT NULL DEFAULT '',
    "每版耗時" double precision DEFAULT 0,
    "看印耗時" double precision DEFAULT 0,
    "特滿耗時" double precision DEFAULT 0,
    "洗車耗時" double precision DEFAULT 0
);
CREATE INDEX "ix_印刷產能資料_機別" ON "印刷產能資料" ("機別");

-- Vendors.
CREATE TABLE "vender" (
    "id"       text NOT NULL DEFAULT '',
    "sname"    text DEFAULT '',
    "rate"     double precision DEFAULT 0,
    "tel1"     text DEFAULT '',
    "nam2"     text DEFAULT '',
    "fax"      text DEFAULT '',
    "memo"     text DEFAULT '',
    "add1"     text DEFAULT '',
    "付款方式" text DEFAULT '',
    "item1"    text DEFAULT '',
    "item2"    text DEFAULT '',
    "item3"    text DEFAULT '',
    "item4"    text DEFAULT '',
    "item5"    text DEFAULT '',
    "item6"    text DEFAULT '',
    "item7"    text DEFAULT '',
    "item8"    text DEFAULT '',
    "item9"    text DEFAULT '',
    "item10"   text DEFAULT '',
    "item11"   text DEFAULT '',
    "item12"   text DEFAULT '',
    "item13"   text DEFAULT '',
    "item14"   text DEFAULT '',
    "製作"     double precision DEFAULT 0,
    "停用"     text DEFAULT ''
);
CREATE INDEX "ix_vender_id" ON "vender" ("id");

-- Printed schedule: filled by the scheduling programs, read by the report.
CREATE TABLE "印刷預排表1" (
    "車別"     text NOT NULL DEFAULT '',
    "po"       text NOT NULL DEFAULT '',
    "no"       integer NOT NULL DEFAULT 0,
    "desc1"    text DEFAULT '',
    "desc"     text DEFAULT '',
    "sname"    text DEFAULT '',
    "color1"   double precision DEFAULT 0,
    "color2"   double precision DEFAULT 0,
    "memb"     double precision DEFAULT 0,
    "plat"     double precision DEFAULT 0,
    "size"     text DEFAULT '',
    "qty"      text DEFAULT '',
    "odate"    text NOT NULL DEFAULT '',
    "fdate"    text NOT NULL DEFAULT '',
    "prem"     text DEFAULT '',
    "規格"     text DEFAULT '',
    "紙品"     text DEFAULT '',
    "下游廠商" text DEFAULT '',
    "code"     text DEFAULT '',
    "item1"    text DEFAULT '',
    "item4"    text DEFAULT '',
    "item7"    text DEFAULT ''
);
CREATE INDEX "ix_印刷預排表1_車別_po_no" ON "印刷預排表1" ("車別", "po", "no");
CREATE TABLE "paper" (
    "po"    text NOT NULL DEFAULT '',
    "no"    integer NOT NULL DEFAULT 0,
    "spec"  text DEFAULT '',
    "item"  text DEFAULT '',
    "fdate" text NOT NULL DEFAULT ''
);
CREATE INDEX "ix_paper_po_no" ON "paper" ("po", "no");
CREATE TABLE "plate" (
    "po"    text NOT NULL DEFAULT '',
    "no"    integer NOT NULL DEFAULT 0,
    "fdate" text NOT NULL DEFAULT ''
);
CREATE INDEX "ix_plate_po_no" ON "plate" ("po", "no");

-- Jet functions the suite's statements use.
-- iif(condition, a, b): b when the condition is false or null, as Jet does.
CREATE FUNCTION "iif"(boolean, anyelement, anyelement) RETURNS anyelement
    LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN $1 THEN $2 ELSE $3 END $$;
-- Two literals ('', '') carry no type of their own: read them as text.
CREATE FUNCTION "iif"(boolean, text, text) RETURNS text
    LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN $1 THEN $2 ELSE $3 END $$;
-- An integer literal against a double column (iif(x, 0, "eamt")).
CREATE FUNCTION "iif"(boolean, double precision, double precision) RETURNS double precision
    LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN $1 THEN $2 ELSE $3 END $$;
-- val(text): the number a text starts with, 0 when it starts with none: leading
-- blanks skipped, an optional sign, digits with at most one decimal point. A text
-- of 300 characters or more may hold a number beyond double precision (a long
-- run of digits): val_long gives +/-Infinity above its range and 0 below it, as
-- the program's own reading does, instead of an error that stops the statement.
CREATE FUNCTION "val_long"(text) RETURNS double precision
    LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN n IS NULL THEN 0 WHEN length(i) > 309 OR (length(i) = 309 AND left(i, 17)::bigint >= 17976931348623158) THEN (CASE WHEN n LIKE '-%' THEN '-Infinity' ELSE 'Infinity' END)::double precision WHEN i = '' AND (length(z) > 323 OR (length(z) = 323 AND f < '3')) THEN 0 ELSE n::double precision END FROM (SELECT n, substring(n from '^[+-]?0*([0-9]*)') AS i, substring(n from '[.](0*)') AS z, substring(n from '[.]0*([1-9])') AS f FROM (SELECT substring($1 from '^[ \t]*([+-]?([0-9]+[.]?[0-9]*|[.][0-9]+))') AS n) AS number) AS parts $$;
CREATE FUNCTION "val"(text) RETURNS double precision
    LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN length($1) < 300 THEN coalesce(substring($1 from '^[ \t]*([+-]?([0-9]+[.]?[0-9]*|[.][0-9]+))')::double precision, 0) ELSE "val_long"($1) END $$;
-- val of a number is the number itself (0 for null).
CREATE FUNCTION "val"(double precision) RETURNS double precision
    LANGUAGE sql IMMUTABLE AS $$ SELECT coalesce($1, 0) $$;
CREATE FUNCTION "val"(integer) RETURNS double precision
    LANGUAGE sql IMMUTABLE AS $$ SELECT coalesce($1, 0)::double precision $$;
CREATE FUNCTION "val"(numeric) RETURNS double precision
    LANGUAGE sql IMMUTABLE AS $$ SELECT coalesce($1, 0)::double precision $$;
