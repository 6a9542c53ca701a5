// The readings of Mandarin lines, for the generator's speech: one line of text in on
// standard input, out on one line of standard output, in the same order: its pinyin, a
// tab, and the syllables of its Chinese characters alone (one each, in order).
// Each Chinese character becomes one syllable with its tone as a number (5 for the
// neutral tone); everything else is passed on as it stands, between spaces.
//
//   node reading.js content/chinese/readings.txt content/chinese/polyphones.txt
//
// The readings come from pinyin-pro (MIT licence, its notice in
// node_modules/pinyin-pro/LICENSE), which reads words from its phrase data; the table
// named first holds our own readings of the words it gets wrong
// ("word<Tab>pinyin with tone marks", '#' starts a comment). The file named second holds
// the readings reviewed by hand of the characters with more than one common reading, line
// by line (its header tells how): where it has the line, they win over everything else.
'use strict';
const fs = require('fs');
const path = require('path');
const readline = require('readline');
const { pinyin, customPinyin } = require(
    path.join(__dirname, '..', '..', 'node_modules', 'pinyin-pro'));

const overrides = {};
if (process.argv[2]) {
  for (const raw of fs.readFileSync(process.argv[2], 'utf8').split('\n')) {
    const line = raw.trim();
    if (!line || line.startsWith('#')) continue;
    const [word, reading] = line.split('\t');
    if (word && reading) overrides[word.trim()] = reading.trim();
  }
  customPinyin(overrides);
}

const han = /\p{Script=Han}/u;

// The reviewed readings: a spoken line -> the readings of its listed characters in order.
const reviewed = new Map();
const listed = new Set();
if (process.argv[3]) {
  for (const raw of fs.readFileSync(process.argv[3], 'utf8').split('\n')) {
    if (raw.startsWith('#!chars\t')) {
      for (const c of Array.from(raw.slice(8).replace(/\s/g, ''))) listed.add(c);
      continue;
    }
    if (!raw.trim() || raw.startsWith('#')) continue;
    const [text, readings] = raw.split('\t');
    if (text && readings !== undefined)
      reviewed.set(text, readings.split(' ').filter(Boolean).map((r) => Array.from(r).slice(1).join('')));
  }
}

// Words after which 地 is the particle "de" that makes an adverb ("高兴地说"); the
// library always reads it "dì". Doubled words ("悄悄地", "一步一步地", "走来走去地")
// and sounds in quotes ("“嘣”地") are found by their shape.
const adverbs = new Set([
  '飞快', '快乐', '高兴', '小心', '勇敢', '认真', '诚实', '礼貌', '耐心', '拼命', '吃惊',
  '难过', '后悔', '好奇', '幸福', '神气', '使劲', '调皮', '慈爱', '伤心', '快活', '不停',
  '顺序', '饱满', '得意', '生气', '大声', '小声', '努力', '仔细', '安静', '开心', '热情',
  '不断', '慢慢', '骄傲', '着急', '害怕', '亲切', '激动', '惊讶', '默默', '专心', '用力',
  '自豪', '响亮', '温柔', '愉快', '不满', '满意', '奇怪', '友好', '紧张', '兴奋', '放心',
  '轻松', '意思', '哭笑不得',
]);
const particleBefore = new Set(['猛', '呼', '嗖', '忽']);

function adverbParticle(chars, i) {
  const at = (k) => (i - k >= 0 ? chars[i - k] : '');
  const isHan = (c) => han.test(c);
  if (!isHan(at(1))) return /[”’」』—）)]/.test(at(1));      // “嘣”地, （ ）地
  if (at(1) === '的') return false;                           // 更远更远的地方
  if (at(1) === at(2)) return true;                          // 悄悄地, 高高兴兴地
  if (isHan(at(5)) && at(5) === at(2) && at(4) === at(1)) return true; // 一个对一个地
  if (isHan(at(4)) && at(4) === at(2)) return true;          // 一步一步地, 走来走去地
  if (isHan(at(3)) && at(3) === at(1)) return true;          // 一动不动地, 面对面地
  if (particleBefore.has(at(1))) return true;                // 猛地, 呼地一吹
  for (const n of [2, 3, 4]) {
    let word = '';
    for (let k = n; k >= 1; --k) word += at(k);
    if (adverbs.has(word)) return true;
  }
  return false;
}

// 得 after a verb or an adjective is the particle "de" ("跑得快"); the library reads
// it "dé" there. It stays "dé" in the words where it means to get (得到, 得数) and in
// the times table ("二二得四").
const deWords = new Set(['到', '数', '意', '分', '奖', '病', '知', '失', '胜', '救', '罪', '手',
  '益', '力', '体', '出', '了']);
const deBefore = new Set(['获', '两', '取', '赢', '难', '心', '所', '应', '自', '不', '可', '习', '求']);
const numerals = new Set(Array.from('一二三四五六七八九十'));

function complementParticle(chars, i) {
  const before = i > 0 ? chars[i - 1] : '', after = chars[i + 1] || '';
  if (!han.test(before) || deBefore.has(before) || deWords.has(after)) return false;
  if (numerals.has(before) && numerals.has(chars[i - 2] || '')) return false;
  return true;
}

function readingOf(text) {
  const chars = Array.from(text);
  const all = pinyin(text, { toneType: 'num', type: 'all', v: false });
  const out = [];
  const hanAt = [], hanChars = []; // where each character's syllable is in `out`
  let latin = '';
  all.forEach((item, i) => {
    if (!item.isZh) {
      latin += item.origin;
      return;
    }
    if (latin.trim()) out.push(latin.trim());
    latin = '';
    hanAt.push(out.length);
    hanChars.push(item.origin);
    let s = item.pinyin;
    if (item.origin === '地' && adverbParticle(chars, i)) s = 'de0';
    if (item.origin === '得' && s === 'de2' && complementParticle(chars, i)) s = 'de0';
    // The library marks the neutral tone 0; the voice reads it as 5.
    out.push(/^[a-zü]+0$/.test(s) ? s.slice(0, -1) + '5' : s);
  });
  if (latin.trim()) out.push(latin.trim());
  askedCharacter(chars, all, out);
  // A line reviewed by hand has its listed characters read as reviewed, when the review
  // still names as many of them as the line has.
  const own = reviewed.get(text);
  const marked = hanAt.filter((_, n) => listed.has(hanChars[n]));
  if (own && own.length === marked.length) marked.forEach((j, n) => { out[j] = own[n]; });
  return out.join(' ') + '\t' + hanAt.map((j) => out[j]).join(' ');
}

function askedCharacter(chars, all, out) {
  const text = chars.join('');
  const asked = /“([^”]+)”的“(\p{Script=Han})”/gu;
  const readingAt = new Map(); // character index -> index in out
  let k = 0;
  all.forEach((item, i) => {
    if (item.isZh) readingAt.set(i, out.findIndex((_, j) => j >= k && /^[a-zü]+[1-5]$/.test(out[j])));
    if (item.isZh) k = readingAt.get(i) + 1;
  });
  for (const m of text.matchAll(asked)) {
    const start = Array.from(text.slice(0, m.index)).length + 1;
    const word = Array.from(m[1]);
    const at = word.indexOf(m[2]);
    if (at < 0) continue;
    const from = readingAt.get(start + at), to = readingAt.get(start + word.length + 3);
    if (from !== undefined && to !== undefined) out[to] = out[from];
  }
  return out;
}

const rl = readline.createInterface({ input: process.stdin, terminal: false });
rl.on('line', (line) => {
  process.stdout.write((han.test(line) ? readingOf(line) : line + '\t') + '\n');
});
