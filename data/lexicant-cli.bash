# bash completion for lexicant-cli: commands, their options, and the files each one reads.

# Folders to go into, and files whose names end with the extension in any case.
_lexicant_cli_files()
{
    local cur=$1 extension=$2 glob="" i c
    for ((i = 0; i < ${#extension}; i++)); do
        c=${extension:i:1}
        glob+="[${c,,}${c^^}]"
    done
    local IFS=$'\n'
    compopt -o filenames 2>/dev/null
    COMPREPLY=($(compgen -d -- "$cur") $(compgen -f -X "!*.$glob" -- "$cur"))
}

# The commands, as the program itself lists them: the one typed on the command line.
_lexicant_cli_commands()
{
    local program=${COMP_WORDS[0]}
    [[ $program == "~/"* ]] && program=$HOME/${program:2}
    "$program" --commands 2>/dev/null
}

_lexicant_cli()
{
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=${COMP_WORDS[COMP_CWORD - 1]}
    COMPREPLY=()
    if ((COMP_CWORD == 1)); then
        COMPREPLY=($(compgen -W "$(_lexicant_cli_commands) --help --version --commands" -- "$cur"))
        return
    fi
    local command=${COMP_WORDS[1]}
    case $prev in
    -o | --output)
        compopt -o filenames 2>/dev/null
        COMPREPLY=($(compgen -f -- "$cur"))
        return
        ;;
    --tm)
        compopt -o filenames 2>/dev/null
        COMPREPLY=($(compgen -f -- "$cur"))
        return
        ;;
    --reference-language | --max)
        return
        ;;
    --format)
        COMPREPLY=($(compgen -W "text json junit sarif" -- "$cur"))
        return
        ;;
    --translation | --template | --against)
        _lexicant_cli_files "$cur" lsf
        return
        ;;
    --language)
        # A dictionary's name for check and stats; to-po takes any language code.
        if [[ $command == check || $command == stats ]]; then
            local folder dictionaries=""
            for folder in "${XDG_DATA_HOME:-$HOME/.local/share}/hunspell" /usr/share/hunspell; do
                dictionaries+=" $(cd "$folder" 2>/dev/null && ls -- *.dic 2>/dev/null)"
            done
            COMPREPLY=($(compgen -W "${dictionaries//.dic/}" -- "$cur"))
        fi
        return
        ;;
    --checks | --skip)
        # Names separated by commas: the one being typed is completed.
        local names done=${cur%"${cur##*,}"}
        names=$("${COMP_WORDS[0]/#\~/$HOME}" help "$command" 2>/dev/null | sed -n 's/^Checks: //p')
        COMPREPLY=($(compgen -P "$done" -W "$names" -- "${cur##*,}"))
        compopt -o nospace 2>/dev/null
        return
        ;;
    esac
    if [[ $cur == -* ]]; then
        local options=""
        case $command in
        new | from-json) options="-o --output" ;;
        export-code | to-json) options="-o --output" ;;
        to-po) options="--translation --language -o --output" ;;
        to-xliff) options="--translation --reference-language --language -o --output" ;;
        from-xliff) options="--template -o --output" ;;
        from-po) options="--template --use-fuzzy -o --output" ;;
        check) options="--against --language --check-capitals --checks --skip --tm --glossary --reference-language --format" ;;
        stats) options="--against --language --check-capitals --checks --skip" ;;
        tm) options="--tm --against --reference-language --language --max --print-sql -o --output" ;;
        pretranslate) options="--tm --against --reference-language --language -o --output" ;;
        glossary) options="--tm --reference-language --language --note --do-not-translate -o --output" ;;
        esac
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    case $command in
    help) ((COMP_CWORD == 2)) && COMPREPLY=($(compgen -W "$(_lexicant_cli_commands)" -- "$cur")) ;;
    new) ;;
    from-json) _lexicant_cli_files "$cur" json ;;
    from-po) _lexicant_cli_files "$cur" po ;;
    from-xliff) _lexicant_cli_files "$cur" xlf ;;
    tm)
        if ((COMP_CWORD == 2)); then
            COMPREPLY=($(compgen -W "add suggest import export init push pull stats" -- "$cur"))
        elif [[ ${COMP_WORDS[2]} == import ]]; then
            _lexicant_cli_files "$cur" tmx
        elif [[ ${COMP_WORDS[2]} == add ]]; then
            _lexicant_cli_files "$cur" lsf
        fi
        ;;
    glossary)
        if ((COMP_CWORD == 2)); then
            COMPREPLY=($(compgen -W "add list import export" -- "$cur"))
        elif [[ ${COMP_WORDS[2]} == import ]]; then
            # Folders and TBX files, and CSV files beside them.
            _lexicant_cli_files "$cur" tbx
            local IFS=$'\n'
            COMPREPLY+=($(compgen -f -X '!*.[cC][sS][vV]' -- "$cur"))
        fi
        ;;
    *) _lexicant_cli_files "$cur" lsf ;;
    esac
}

complete -F _lexicant_cli lexicant-cli
