#!/usr/bin/env bash
# The user guide made at build time: a PDF of several pages whose text (in
# Russian, so the fonts must carry Cyrillic) has every chapter of the program.
#   check_guide.sh GUIDE.pdf
set -euo pipefail
pdf="$1"
fail() { echo "FAIL: $*" >&2; exit 1; }
pages="$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')"
[[ "${pages:-0}" -ge 8 ]] || fail "the guide has ${pages:-no} pages"
text="$(pdftotext -layout "$pdf" -)"
for chapter in "Загрузка данных" "Подготовка данных" "Статистика" "Кластерный анализ" "Графики" \
               "Калькуляторы" "Настройка программы" "Пакетная обработка" "tavrel-cli"; do
  grep -qF "$chapter" <<<"$text" || fail "the guide has no \"$chapter\""
done
images="$(pdfimages -list "$pdf" | tail -n +3 | wc -l)"
[[ "$images" -ge 3 ]] || fail "the guide shows $images pictures"
echo "$pages pages, $images pictures"
