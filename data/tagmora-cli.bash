# bash completion for tagmora-cli                          -*- shell-script -*-
# Completes the commands, each command's options, the values of options that
# take a fixed list, and file names filtered by what each place expects.

# Files ending in one of the given suffixes (either case), and directories.
_tagmora_cli_files()
{
    local cur=$1 ext
    shift
    mapfile -t -O "${#COMPREPLY[@]}" COMPREPLY < <(compgen -d -- "$cur")
    for ext in "$@"; do
        mapfile -t -O "${#COMPREPLY[@]}" COMPREPLY < <(compgen -f -X "!*.$ext" -- "$cur")
        mapfile -t -O "${#COMPREPLY[@]}" COMPREPLY < <(compgen -f -X "!*.${ext^^}" -- "$cur")
    done
    compopt -o filenames 2>/dev/null
}

# The barcode types --type accepts: numbers, names and other names from
# "tagmora-cli types" (names with spaces are left out; each type has another
# name without them).
_tagmora_cli_types()
{
    local prog=$1
    "$prog" types 2>/dev/null | awk '{
        print $1
        name = substr($0, 5, 16); sub(/ +$/, "", name)
        if (name !~ / /) print name
        id = substr($0, 23, 24); sub(/ +$/, "", id); print id
        n = split(substr($0, 47), other, /, */)
        for (i = 1; i <= n; i++) if (other[i] != "") print other[i]
    }'
}

# Printer names from TAGMORA_PRINTERS ("Name[@DPI[xDPI]][*];..."), else CUPS.
_tagmora_cli_printers()
{
    if [[ -v TAGMORA_PRINTERS ]]; then
        local entry
        local -a entries
        IFS=';' read -ra entries <<<"$TAGMORA_PRINTERS"
        for entry in "${entries[@]}"; do
            entry=${entry%\*}
            entry=${entry%%@*}
            [[ -n $entry ]] && printf '%s\n' "$entry"
        done
    elif type -P lpstat >/dev/null; then
        lpstat -e 2>/dev/null
    fi
}

_tagmora_cli()
{
    local commands="plan convert datasheet import print barcode render validate types templates calibration-sheet history reprint watch serve"
    local cur=${COMP_WORDS[COMP_CWORD]} prev="" prefix="" i
    COMPREPLY=()

    # "--opt=value": bash splits at "=" when it is a word break; otherwise the
    # word holds both and the reply keeps the "--opt=" prefix.
    if ((COMP_CWORD > 0)); then
        prev=${COMP_WORDS[COMP_CWORD - 1]}
    fi
    if [[ $cur == = ]]; then
        cur=""
    elif [[ $prev == = ]] && ((COMP_CWORD > 1)); then
        prev=${COMP_WORDS[COMP_CWORD - 2]}
    elif [[ $cur == --*=* ]]; then
        prev=${cur%%=*}
        prefix=$prev=
        cur=${cur#*=}
    fi

    # The command, and whether "--" has ended the options.
    local cmd="" ended=""
    for ((i = 1; i < COMP_CWORD; i++)); do
        if [[ ${COMP_WORDS[i]} != -* ]]; then
            cmd=${COMP_WORDS[i]}
            break
        fi
    done
    if [[ -z $cmd ]]; then
        if [[ $cur == -* ]]; then
            mapfile -t COMPREPLY < <(compgen -W "--help --version -h -V" -- "$cur")
        else
            mapfile -t COMPREPLY < <(compgen -W "$commands" -- "$cur")
        fi
        return
    fi

    local options values="" # values: the options that take a value
    case $cmd in
        plan) options="-o --output" values="-o --output" ;;
        convert) options="" ;;
        datasheet) options="--csv -o --output" values="-o --output" ;;
        import)
            options="-o --output --table --data-format"
            values="-o --output --table --data-format"
            ;;
        print)
            options="-o --output --printer --data --data-format --table --allow-missing-columns --strict --pages
                     --copies --dpi --on-invalid --template --offset --scale --zpl --darkness --speed --media --history
                     --no-history --roll --no-profile"
            values="-o --output --printer --data --data-format --table --pages --copies --dpi --on-invalid
                    --template --offset --scale --darkness --speed --media --history"
            ;;
        barcode)
            options="-t --type --text --checksum --option --modul --ratio --pattern -o --output --format --height
                     --angle --show-text --text-position --font --font-size"
            values="-t --type --text --option --modul --ratio -o --output --format --height --angle --show-text
                    --text-position --font --font-size"
            ;;
        render)
            options="-o --output --format --dpi --strict"
            values="-o --output --format --dpi"
            ;;
        validate) options="-t --type --checksum --option" values="-t --type --option" ;;
        types) options="" ;;
        templates) options="--problems" ;;
        calibration-sheet) options="-o --output --dpi --paper" values="-o --output --dpi --paper" ;;
        history)
            options="--since --printer --label --result --format --history"
            values="--since --printer --label --result --format --history"
            ;;
        reprint)
            options="--labels -o --output --printer --history"
            values="--labels -o --output --printer --history"
            ;;
        watch)
            options="--label --printer --output-dir --settle --timeout --once --copies --on-invalid
                     --allow-missing-columns --zpl --history --no-history"
            values="--label --printer --output-dir --settle --timeout --copies --on-invalid --history"
            ;;
        serve)
            options="--labels --listen --token-file --max-body --max-rows --workers --max-runs --history --no-history"
            values="--labels --listen --token-file --max-body --max-rows --workers --max-runs --history"
            ;;
        *) return ;;
    esac
    options+=" -h --help -V --version"

    # The value of an option.
    if [[ -n $prev && " $values " == *[[:space:]]"$prev"[[:space:]]* ]]; then
        local words=""
        case $cmd:$prev in
            *:-t | *:--type)
                # Type names are matched without regard to case.
                local type
                for type in $(_tagmora_cli_types "${COMP_WORDS[0]}"); do
                    [[ ${type,,} == "${cur,,}"* ]] && COMPREPLY+=("$type")
                done
                ;;
            *:--data-format) words="csv txt" ;;
            print:--on-invalid | watch:--on-invalid) words="skip abort" ;;
            print:--media) words="gap continuous mark" ;;
            history:--result) words="done cancelled failed stopped aborted" ;;
            history:--format) words="table csv" ;;
            *:--history) _tagmora_cli_files "$cur" sqlite ;;
            barcode:--show-text) words="none code typ both" ;;
            barcode:--text-position)
                words="top-left top-right top-center bottom-left bottom-right bottom-center"
                ;;
            barcode:--format) words="png svg" ;;
            render:--format) words="png svg pdf" ;;
            print:--printer | history:--printer | reprint:--printer | watch:--printer)
                local IFS=$'\n'
                mapfile -t COMPREPLY < <(compgen -W "$(_tagmora_cli_printers)" -- "$cur")
                ;;
            print:--data) _tagmora_cli_files "$cur" txt csv xls xlsx ods mdb ;;
            import:-o | import:--output | watch:--label) _tagmora_cli_files "$cur" blf ;;
            watch:--output-dir | serve:--labels)
                mapfile -t COMPREPLY < <(compgen -d -- "$cur")
                compopt -o filenames 2>/dev/null
                ;;
            print:-o | print:--output | reprint:-o | reprint:--output) _tagmora_cli_files "$cur" pdf ;;
            barcode:-o | barcode:--output) _tagmora_cli_files "$cur" png svg ;;
            render:-o | render:--output) _tagmora_cli_files "$cur" png svg pdf ;;
            *:-o | *:--output)
                mapfile -t COMPREPLY < <(compgen -f -- "$cur")
                compopt -o filenames 2>/dev/null
                ;;
        esac
        if [[ -n $words ]]; then
            mapfile -t COMPREPLY < <(compgen -W "$words" -- "$cur")
        fi
        if [[ -n $prefix ]]; then
            COMPREPLY=("${COMPREPLY[@]/#/$prefix}")
        fi
        return
    fi

    # The position of this word among the command's arguments.
    local arg=0 word
    for ((i = i + 1; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        if [[ -n $ended ]]; then
            ((arg++))
        elif [[ $word == -- ]]; then
            ended=1
        elif [[ $word == = ]]; then
            ((i++)) # the value after "--opt ="
        elif [[ $word == -* ]]; then
            # A separate value follows an option that takes one, unless it
            # was written "--opt=value" or "-ovalue".
            if [[ $word != *=* && " $values " == *[[:space:]]"$word"[[:space:]]* ]] &&
                [[ ${COMP_WORDS[i + 1]} != = ]]; then
                ((i++))
            fi
        else
            ((arg++))
        fi
    done

    if [[ -z $ended && $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
        # A single long option that takes a value gets its "=".
        if [[ ${#COMPREPLY[@]} == 1 && ${COMPREPLY[0]} == --* &&
            " $values " == *[[:space:]]"${COMPREPLY[0]}"[[:space:]]* ]]; then
            COMPREPLY=("${COMPREPLY[0]}=")
            compopt -o nospace 2>/dev/null
        fi
        return
    fi

    case $cmd:$arg in
        plan:0 | datasheet:0 | print:0 | render:0 | import:0 | convert:0 | convert:1)
            _tagmora_cli_files "$cur" blf
            ;;
        import:1) _tagmora_cli_files "$cur" txt csv xls xlsx ods mdb ;;
    esac
}
complete -F _tagmora_cli tagmora-cli
