#!/bin/bash
# Keeps the manual page and the bash completion of tagmora-cli in step with the
# tool: every command of "tagmora-cli --help" and every long option of
# "tagmora-cli CMD --help" is documented and completed.
# Usage: CheckCliDocs.sh TAGMORA-CLI MANPAGE COMPLETION
cli=$1 man=$2 completion=$3
status=0
fail() { echo "FAIL: $*"; status=1; }

# Runs the completion function on the words; the last word is the one completed.
complete_words()
{
    COMP_WORDS=("$cli" "$@")
    COMP_CWORD=$#
    COMPREPLY=()
    _tagmora_cli 2>/dev/null
}

# shellcheck source=/dev/null
source "$completion" || exit 1
manText=$(sed 's/\\-/-/g' "$man")   # roff's \- is a plain hyphen here

mapfile -t commands < <("$cli" --help | sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z-]*\) .*/\1/p')
((${#commands[@]})) || fail "no commands in tagmora-cli --help"

complete_words ''
[[ "${COMPREPLY[*]}" == "${commands[*]}" ]] ||
    fail "completion offers commands '${COMPREPLY[*]}', the tool has '${commands[*]}'"
complete_words pr
[[ "${COMPREPLY[*]}" == print ]] || fail "'tagmora-cli pr<TAB>' gives '${COMPREPLY[*]}', not 'print'"

for cmd in "${commands[@]}"; do
    grep -qE "^\.SS $cmd( |$)" <<<"$manText" || fail "man page has no section for '$cmd'"
    options=$("$cli" "$cmd" --help | sed -n 's/^  \(-[A-Za-z], \|    \)--\([a-z][a-z-]*\).*/\2/p')
    [[ -n $options ]] || fail "no options in 'tagmora-cli $cmd --help'"
    complete_words "$cmd" --
    offered=" ${COMPREPLY[*]} "
    for opt in $options; do
        grep -qE -- "--$opt([^a-z-]|$)" <<<"$manText" || fail "man page lacks --$opt of '$cmd'"
        [[ $offered == *" --$opt "* || $offered == *" --$opt= "* ]] ||
            fail "completion of '$cmd --' lacks --$opt"
    done
done

# The man page renders without warnings where man is installed.
if command -v man >/dev/null; then
    warnings=$(MANWIDTH=80 man --warnings -l "$man" 2>&1 >/dev/null)
    [[ -z $warnings ]] || fail "man page warnings: $warnings"
fi
exit $status
